# shellcheck shell=bash
# Wine as the Windows build and its checks run it: the one place that finds
# Debian's Wine and starts and stops a prefix's server. Sourced by the build's
# runner (build-windows/wine-run.sh) and by tests/windows_packages/check.sh;
# fails at once where Wine is missing.
#   wine_run ARG...: Wine's 64-bit loader in WINEPREFIX.
#   wineserver_run ARG...: the Wine server of WINEPREFIX.
#   wine_start: the server of WINEPREFIX up, to stay up for the runs that
#     follow, and where its socket lives recorded in the prefix.
#   wine_wait [SECONDS]: waits for the programs of WINEPREFIX to end.
#   wine_processes: the processes of WINEPREFIX, as "PID COMMAND" lines.
#   wine_stop [SECONDS]: that server ended, and with it every program of the
#     prefix, waiting at most SECONDS (default 30) before killing it; once it
#     is gone, its socket folder and the record are removed. Fails, leaving
#     both, if the server is still there.
#
# Debian's Wine keeps a prefix's socket in /run/user/UID/wine where that
# folder exists, else in a folder of its own under TMPDIR (/tmp where it is
# unset), whose name it records in the prefix. Debian 13's Wine 10 aborts when
# it reads TMPDIR (it frees the environment's own string), so Wine runs here
# without TMPDIR, and its folder is always under /tmp or /run/user.

WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(dirname "$(readlink -f "$WINE")")/wineserver
if [ ! -x "$WINE" ] || [ ! -x "$WINESERVER" ]; then
  echo "no Wine here (wanted $WINE and $WINESERVER): install wine64" >&2
  return 1 2>/dev/null || exit 1
fi

wine_run() {
  env -u TMPDIR "$WINE" "$@"
}

wineserver_run() {
  env -u TMPDIR "$WINESERVER" "$@"
}

# Where the server of WINEPREFIX keeps its socket, as Debian's Wine names it:
# the prefix's device and inode, in hexadecimal, under its own folder.
wine_server_dir() {
  local device inode run
  run=/run/user/$(id -u)
  read -r device inode < <(stat -c '%d %i' "$WINEPREFIX")
  if [ -d "$run" ]; then
    printf '%s/wine/server-%x-%x\n' "$run" "$device" "$inode"
  elif [ -s "$WINEPREFIX/wineserver" ]; then
    printf '/tmp/%s/server-%x-%x\n' "$(cat "$WINEPREFIX/wineserver")" "$device" "$inode"
  fi
}

wine_start() {
  wineserver_run -p </dev/null >/dev/null 2>&1
  wine_server_dir > "$WINEPREFIX/.quorvel-server"
}

wine_stop() {
  local seconds=${1:-30} dir
  [ -d "$WINEPREFIX" ] || return 0
  dir=$(cat "$WINEPREFIX/.quorvel-server" 2>/dev/null || wine_server_dir)
  wineserver_run -k </dev/null >/dev/null 2>&1 || true
  if ! timeout "$seconds" env -u TMPDIR "$WINESERVER" -w </dev/null >/dev/null 2>&1; then
    wineserver_run -k9 </dev/null >/dev/null 2>&1 || true
    sleep 1
  fi
  if [ -n "$dir" ] && [ -e "$dir/socket" ]; then
    echo "the Wine server of $WINEPREFIX is still there ($dir/socket)" >&2
    return 1
  fi
  # Only a folder of the two shapes Wine gives it is removed.
  case "$dir" in
    /tmp/wine-??????/server-*-*) rm -rf "${dir%/server-*}" ;;
    /run/user/[0-9]*/wine/server-*-*) rm -rf "$dir" ;;
    "") ;;
    *) echo "not removing $dir: not a Wine server folder" >&2 ;;
  esac
  rm -f "$WINEPREFIX/.quorvel-server" "$WINEPREFIX/wineserver"
}

# Waits at most SECONDS (default 60) for every program of WINEPREFIX to end,
# and its server with them; fails if they have not.
wine_wait() {
  timeout "${1:-60}" env -u TMPDIR "$WINESERVER" -w </dev/null >/dev/null 2>&1
}

# The Wine processes (the server, the loader and the Windows programs it runs)
# started with WINEPREFIX in their environment, one "PID COMMAND" a line.
wine_processes() {
  local proc
  for proc in /proc/[0-9]*; do
    case "$(readlink "$proc/exe" 2>/dev/null)" in */wine/* | */wine64* | */wineserver*) ;; *) continue ;; esac
    { tr '\0' '\n' < "$proc/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
      echo "${proc#/proc/} $(tr '\0' ' ' < "$proc/cmdline")"; } 2>/dev/null || true
  done
}
