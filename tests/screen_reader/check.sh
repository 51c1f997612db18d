#!/usr/bin/env bash
# Walks through the whole window with the keyboard while Orca listens with its
# speech on, as a blind user would, and checks what Orca says:
#   every focus move announced within 2 seconds, naming the control and the
#   result as it then stands; the selected number of a box read whole; the
#   message that a number cannot be used spoken once, and not again once the
#   box is left;
#   under Qt 6.8 and later, whose screen-reader bridge sends a description's
#   new text, also the new result spoken within 2 seconds of each edit in a
#   box, with no focus move, and a quick burst of digits spoken once, as its
#   final result (Qt 6.4's bridge sends the change without its text, and Orca
#   says nothing of it).
# Runs on this machine's Qt, then on the Qt of every other release the
# project is built for, in a tree of that release (scripts/in-release.sh).
# Orca, its speech and the program run in a process namespace of their own
# (bubblewrap): Orca sees no other Orca of the user's, so it neither stops a
# screen reader the user relies on nor a walk running beside it, and when the
# walk ends every process it started ends with it.
# A developer's check: it needs a screen reader and a session of its own, so
# the test command does not run it.
# Usage: tests/screen_reader/check.sh [--here] [PROGRAM]
#   --here: only this machine's (or this root's) Qt; PROGRAM: the program to
#   walk through (default: the release build, built here if need be).
# Orca's speech, as text, is left in BUILD/screen-reader.log.
set -euo pipefail
self=$(readlink -f "$0")
here=
[ "${1:-}" = --here ] && { here=1; shift; }
given=
[ -n "${1:-}" ] && given=$(readlink -f "$1")
cd "$(dirname "$self")/../.."
. scripts/packages.sh
ensure_build_deps nocheck
ensure_packages "${SCREEN_READER_PACKAGES[@]}"
build=build${QUORVEL_BUILD_TAG:-}-release
if [ -z "$given" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release >/dev/null
fi
program=${given:-$(readlink -f "$build/app/quorvel")}
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
bridge_speaks_descriptions=
dpkg --compare-versions "$qt" ge 6.8 && bridge_speaks_descriptions=1
mkdir -p "$build"
speech=$build/screen-reader.log
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT


# Stand-ins for a screen reader and a speech server the user relies on,
# named as theirs are: the walk must leave both running.
cp /bin/sleep "$work/orca"
cp /bin/sleep "$work/speech-dispatcher"
"$work/orca" 1000 & users_orca=$!
"$work/speech-dispatcher" 1000 & users_speech=$!
trap 'kill "$users_orca" "$users_speech" 2>/dev/null; rm -rf "$work"' EXIT
WORK=$work WALK=tests/screen_reader/walk.txt PROGRAM=$program timeout 400 bwrap --dev-bind / / --unshare-pid --proc /proc \
  --die-with-parent xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  dbus-run-session -- bash tests/screen_reader/session.sh 2>/dev/null
cp "$work/orca.log" "$build/screen-reader-debug.log"

# Orca's log stamps each utterance with the time of day; the marks carry the
# seconds since the epoch at which a step's last key is pressed.
grep 'SPEECH OUTPUT:' "$work/orca.log" | sed -E "s/^([0-9:.]+) - SPEECH OUTPUT: '([^']*)'.*/\1|\2/" > "$speech"
day=$(date -d "$(date +%F)" +%s)
# What Orca said from FROM to TO seconds since the epoch, one utterance a line.
said_between() {
  awk -F'|' -v from="$1" -v to="$2" -v day="$day" '{
      split($1, t, ":"); when = day + t[1] * 3600 + t[2] * 60 + t[3]
      if (when >= from && when <= to) print $2
    }' "$speech"
}
# A time plus some seconds, to the millisecond (awk would print it rounded).
plus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a + b }'; }
echo "Orca on Qt ${qt%%+*}:"
failures=0
ok() { echo "ok   $*"; }
bad() { echo "FAIL $*"; failures=$((failures + 1)); }
previous=0
while IFS='|' read -r at keys want result; do
  said=$(said_between "$at" "$(plus "$at" 2)" | tr '\n' ' ')
  spoken="Recommended video bitrate: $result kbps"
  if [ -n "$want" ]; then
    if [[ "$said" == *"$want"* && ( -z "$result" || "$said" == *"$spoken"* ) ]]; then
      ok "$keys -> $said"
    else
      bad "$keys: wanted '$want'${result:+ and the result $result} within 2 s; Orca said: '$said'"
    fi
  elif [ -n "$bridge_speaks_descriptions" ]; then
    # From the step's first key: typed at an ordinary pace, a pause between
    # two keys may already have told the final result (an unchanged result is
    # not told again); a burst's results, intermediate ones included.
    said=$(said_between "$previous" "$(plus "$at" 2)" | tr '\n' ' ')
    results=$(said_between "$previous" "$(plus "$at" 2)" |
      grep -c '^Recommended video bitrate' || true)
    if [[ "$said" != *"$spoken"* ]]; then
      bad "$keys: wanted the result $result within 2 s of the edit; Orca said: '$said'"
    elif [[ "$keys" == burst* && "$results" -ne 1 ]]; then
      bad "$keys: the burst's result spoken $results times, not once"
    else
      ok "$keys -> $said"
    fi
  fi
  previous=$(plus "$at" 2.5)
done < "$work/marks"
for whole in "332800 selected" "2048 selected" "1 selected" "3 selected" "1024 selected" \
  "96 selected" "01 selected" "14 selected" "00 selected" "400000 selected"; do
  if grep -q "|$whole" "$speech"; then
    ok "a selected box read whole: '$whole'"
  else
    bad "no '$whole' in what Orca said"
  fi
done
if kill -0 "$users_orca" 2>/dev/null && kill -0 "$users_speech" 2>/dev/null; then
  ok "the user's own Orca and speech server left running"
else
  bad "the walk ended a process named orca or speech-dispatcher that it did not start"
fi
messages=$(grep -c 'could not be used' "$speech" || true)
if [ "$messages" -eq 1 ]; then
  ok "the message that 1e400 cannot be used spoken once"
else
  bad "the message that 1e400 cannot be used spoken $messages times"
fi
[ "$failures" -eq 0 ] || { echo "$failures failures; Orca's speech is in $speech" >&2; exit 1; }
echo "Orca kept up with the whole walk on Qt ${qt%%+*}"

[ -n "$here" ] && exit 0
for other in "${DEBIAN_RELEASES[@]}"; do
  [ "$other" = "$(debian_release)" ] && continue
  echo
  scripts/in-release.sh "$other" tests/screen_reader/check.sh --here
done
