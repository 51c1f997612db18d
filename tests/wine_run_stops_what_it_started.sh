#!/usr/bin/env bash
# The build's Wine runner: --start brings up a prefix's server and services,
# --stop ends every process of that prefix and removes the socket folder that
# Debian's Wine keeps under TMPDIR. Run in a prefix and TMPDIR of its own, so
# that the build's shared server is left alone.
# Usage: wine_run_stops_what_it_started.sh WINE_RUN SCRATCH_DIR
set -euo pipefail
runner=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/tmp"
export WINEPREFIX=$scratch/prefix TMPDIR=$scratch/tmp

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

# Whatever the outcome, nothing of the prefix outlives the test.
trap 'kill -9 $(of_prefix | cut -d" " -f1) 2>/dev/null || true; rm -rf "$scratch"' EXIT

"$runner" --start
started=$(of_prefix)
[ -n "$started" ] || { echo "FAILED: --start left no process of the prefix running"; exit 1; }
[ -n "$(ls -A "$TMPDIR")" ] || { echo "FAILED: --start made no socket folder under TMPDIR"; exit 1; }
echo "after --start: $(wc -l <<< "$started") processes of the prefix"

"$runner" --stop
left=$(of_prefix)
[ -z "$left" ] || { echo "FAILED: --stop left: $left"; exit 1; }
[ -z "$(ls -A "$TMPDIR")" ] || { echo "FAILED: --stop left in TMPDIR: $(ls -A "$TMPDIR")"; exit 1; }
echo "after --stop: no process of the prefix, TMPDIR empty"
