#!/usr/bin/env bash
# Start-up of Windows programs under Wine, compared in one run: RUNS starts of
# each (default 15), interleaved, in one fresh Wine prefix whose server stays
# up between them, on a private Xvfb with no window manager; from exec to the
# program's window mapped and to its first frame, read by startup_probe.
# Prints the median and minimum of each, in milliseconds.
# Usage: wine-startup.sh PROBE EXE [EXE...]
#   PROBE: startup_probe of a build with -DQUORVEL_BENCH=ON.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/scripts/screen.sh"
on_private_x "$0" "$@"
probe=$(readlink -f "${1:?usage: wine-startup.sh PROBE EXE [EXE...]}")
shift
runs=${RUNS:-15}
. "$here/scripts/wine.sh"
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wine_stop 30; rm -rf "$work"' EXIT

wine_run wineboot --init </dev/null >/dev/null 2>&1
wine_wait 60
wine_start
# Each program once before the timed starts, so that none pays for the
# prefix's first use of a DLL.
for exe in "$@"; do
  timeout 60 "$probe" env -u TMPDIR "$WINE" "$exe" >/dev/null
done
for run in $(seq "$runs"); do
  for n in $(seq $#); do
    timeout 60 "$probe" env -u TMPDIR "$WINE" "${!n}" >> "$work/$n.txt"
  done
done

# Median and minimum of column N of a file.
stats() {
  local values n median
  mapfile -t values < <(cut -d' ' -f"$2" "$1" | sort -n)
  n=${#values[@]}
  median=${values[n / 2]}
  if ((n % 2 == 0)); then
    median=$(awk -v a="${values[n / 2 - 1]}" -v b="$median" 'BEGIN { print (a + b) / 2 }')
  fi
  echo "$median ${values[0]}"
}
printf '%-50s %22s %22s\n' "under $("$WINE" --version), $runs starts each" "mapped: median (min)" \
  "first frame: median (min)"
for n in $(seq $#); do
  read -r map map_min < <(stats "$work/$n.txt" 1)
  read -r frame frame_min < <(stats "$work/$n.txt" 2)
  printf '%-50s %22s %22s\n' "${!n} ($(stat -c %s "${!n}") bytes)" "$map ($map_min)" \
    "$frame ($frame_min)"
done
