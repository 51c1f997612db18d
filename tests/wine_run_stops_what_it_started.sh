#!/usr/bin/env bash
# The build's Wine runner: --start brings up a prefix's server and services,
# --stop ends every process of that prefix and removes the server's socket
# folder and its record, whatever TMPDIR each of them is run under. Run in a
# prefix of its own, so that the build's shared server is left alone.
# Usage: wine_run_stops_what_it_started.sh WINE_RUN SCRATCH_DIR
set -euo pipefail
runner=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/start-tmp" "$scratch/stop-tmp"
export WINEPREFIX=$scratch/prefix

# The live processes started with this prefix in their environment.
of_prefix() {
  local pid
  for pid in $(pgrep -f 'wine|\.exe' || true); do
    [ "$pid" != $$ ] || continue
    { tr '\0' '\n' < "/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" &&
      echo "$pid $(tr '\0' ' ' < "/proc/$pid/cmdline")"; } 2>/dev/null || true
  done
  return 0
}

fail() {
  echo "FAILED: $*"
  exit 1
}

# Whatever the outcome, nothing of the prefix outlives the test.
server=
trap 'kill -9 $(of_prefix | cut -d" " -f1) 2>/dev/null || true
  case "$server" in /tmp/wine-??????/*) rm -rf "${server%/server-*}" ;; esac
  rm -rf "$scratch"' EXIT

TMPDIR=$scratch/start-tmp "$runner" --start
started=$(of_prefix)
[ -n "$started" ] || fail "--start left no process of the prefix running"
server=$(cat "$WINEPREFIX/.quorvel-server")
[ -S "$server/socket" ] || fail "--start recorded $server, which holds no server socket"
echo "after --start: $(wc -l <<< "$started") processes of the prefix, its server at $server"

# Stopped under another TMPDIR than it was started under.
TMPDIR=$scratch/stop-tmp "$runner" --stop || fail "--stop failed"
left=$(of_prefix)
[ -z "$left" ] || fail "--stop left: $left"
[ ! -e "$server" ] || fail "--stop left the server's folder $server"
[ ! -e "$WINEPREFIX/.quorvel-server" ] || fail "--stop left the record of the server's folder"
echo "after --stop: no process of the prefix, its server's folder and record gone"
