#!/usr/bin/env bash
# The build's Wine runner, in a prefix of its own, so that the build's shared
# server is left alone:
#   --start brings up the prefix's server and services;
#   a program's output closes when the program ends, even where a helper Wine
#   started for it lives on: the desktop's explorer.exe, started by a program
#   of Qt's once the desktop has closed, stays while another keeps the desktop
#   in use;
#   --stop ends every process of the prefix and removes the server's socket
#   folder and its record, whatever TMPDIR each of them is run under.
# Usage: wine_runner_test.sh SOURCE_DIR WINE_RUN WINDOW_TESTS_EXE SCRATCH_DIR
set -euo pipefail
runner=$2
window_tests=$3
scratch=$4
rm -rf "$scratch"
mkdir -p "$scratch/start-tmp" "$scratch/stop-tmp"
export WINEPREFIX=$scratch/prefix
. "$1/scripts/wine.sh"

fail() {
  echo "FAILED: $*"
  exit 1
}

# Whatever the outcome, nothing of the prefix outlives the test.
server=
trap 'kill -9 $(wine_processes | cut -d" " -f1) 2>/dev/null || true
  case "$server" in /tmp/wine-??????/*) rm -rf "${server%/server-*}" ;; esac
  rm -rf "$scratch"' EXIT

# Waits up to SECONDS for the explorer.exe of the prefix to be there (or, with
# "gone", not to be), in steps of a tenth of a second.
wait_for_explorer() {
  local seconds=$1 want=${2:-there} tenths
  for ((tenths = 0; tenths < seconds * 10; tenths++)); do
    if [[ "$(wine_processes)" == *explorer.exe* ]]; then
      [ "$want" = there ] && return 0
    else
      [ "$want" = gone ] && return 0
    fi
    sleep 0.1
  done
  return 1
}

TMPDIR=$scratch/start-tmp "$runner" --start
started=$(wine_processes)
[ -n "$started" ] || fail "--start left no process of the prefix running"
server=$(cat "$WINEPREFIX/.quorvel-server")
[ -S "$server/socket" ] || fail "--start recorded $server, which holds no server socket"
echo "after --start: $(wc -l <<< "$started") processes of the prefix, its server at $server"

# The desktop closes a second after the last program using it ends; the next
# one starts its explorer.exe again.
wait_for_explorer 15 gone || fail "the desktop did not close with no program using it"
("$runner" "$window_tests" --gtest_filter='LayoutTest.TwipsBecomeLogicalPixelsAtFifteenToOne' 2>&1 ||
  echo "the program failed: $?") | { cat > "$scratch/program.out"; touch "$scratch/closed"; } &
wait_for_explorer 60 || fail "the program started no desktop: $(cat "$scratch/program.out")"
# The random sequences keep the desktop in use for half a minute.
"$runner" "$window_tests" --gtest_filter='RandomActions.*' > /dev/null 2>&1 &
for _ in $(seq 300); do
  grep -q 'PASSED' "$scratch/program.out" 2>/dev/null && break
  sleep 0.1
done
for _ in $(seq 100); do
  [ -e "$scratch/closed" ] && break
  sleep 0.1
done
[ -e "$scratch/closed" ] ||
  fail "the program's output still open 10 s after it passed, held by one of: $(wine_processes | tr '\n' ';')"
grep -q 'PASSED' "$scratch/program.out" || fail "the program did not pass: $(cat "$scratch/program.out")"
[[ "$(wine_processes)" == *explorer.exe* ]] || fail "the desktop's explorer.exe did not live on"
echo "a program's output closed as it ended, its desktop's explorer.exe living on"

# Stopped under another TMPDIR than it was started under.
TMPDIR=$scratch/stop-tmp "$runner" --stop || fail "--stop failed"
left=$(wine_processes)
[ -z "$left" ] || fail "--stop left: $left"
[ ! -e "$server" ] || fail "--stop left the server's folder $server"
[ ! -e "$WINEPREFIX/.quorvel-server" ] || fail "--stop left the record of the server's folder"
echo "after --stop: no process of the prefix, its server's folder and record gone"
