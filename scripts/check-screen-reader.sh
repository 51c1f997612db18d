#!/usr/bin/env bash
# Walks through the whole window with the keyboard while Orca listens, as a
# blind user would, and checks what Orca says: every focus move announced
# within 2 seconds, naming the control and the result as it then stands, and
# the selected number of a box read whole. A developer's check: it needs a
# screen reader and a session of its own, so the test command does not run it.
# Usage: scripts/check-screen-reader.sh [PROGRAM]  (default build-release/app/quorvel)
# Orca's speech, as text, is left in build-release/screen-reader.log.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
. scripts/xvfb.sh
ensure_packages orca at-spi2-core dbus xvfb xauth xdotool
program=$(readlink -f "${1:-build-release/app/quorvel}")
[ -x "$program" ] || { echo "no program at $program: build it first (cmake --build --preset release)" >&2; exit 2; }
work=$(mktemp -d)
speech=build-release/screen-reader.log
trap 'stop_private_xvfb; rm -rf "$work"' EXIT

# The walk, one step a line: the keys, then for a step that moves the focus
# what Orca must say of the control it arrives at and the result it must say.
# It begins with a quick edit of both size boxes and a Tab on, as typed at an
# ordinary pace, then goes through every control, with an edit in every box
# and the arrow keys choosing within each option group.
cat > "$work/walk" <<'EOF'
Tab ctrl+a 3 Tab ctrl+a 1 Tab|96 kbps|-96
shift+Tab|bytes / sector text|-96
ctrl+a 1 0 2 4||
shift+Tab|sectors text|-95
ctrl+a 4 0 0 0 0 0||
Tab|bytes / sector text|624
Tab|96 kbps|624
Down|112 kbps|608
Tab|audio kbps text|608
ctrl+a 2 0 0||
Tab|hours text|520
ctrl+a 2||
Tab|minutes text|198
ctrl+a 3 0||
Tab|seconds text|155
ctrl+a 4 5||
Tab|Other:|153
Up|702.8 MB CD-R|436
Tab|sectors text|436
EOF

# Runs inside a D-Bus session of its own: the accessibility bus, Orca writing
# what it would speak to its debug log, the program, then the walk.
cat > "$work/session" <<'EOF'
set -euo pipefail
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$WORK
/usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
orca --replace --disable=speech --debug-file="$WORK/orca.log" > "$WORK/orca.out" 2>&1 & orca=$!
trap 'kill $program $orca $bus 2>/dev/null || true' EXIT
sleep 4
"$PROGRAM" > "$WORK/program.out" 2>&1 & program=$!
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Quorvel V1\.01$' 2>/dev/null | head -n 1) && break
  sleep 0.1
done
xdotool windowfocus --sync "$window"
sleep 3
while IFS='|' read -r keys name result; do
  read -ra key <<< "$keys"
  if [ ${#key[@]} -gt 1 ]; then
    xdotool key --delay 400 "${key[@]:0:${#key[@]}-1}"
    sleep 0.4
  fi
  echo "$(date +%s.%N)|$keys|$name|$result" >> "$WORK/marks"
  xdotool key "${key[-1]}"
  sleep 2.5
done < "$WORK/walk"
# Orca's log reaches its file a buffer at a time: keys that Orca only logs
# push the walk's last words out.
for _ in $(seq 20); do xdotool key shift; sleep 0.1; done
sleep 1
EOF
start_private_xvfb
WORK=$work PROGRAM=$program timeout 300 dbus-run-session -- bash "$work/session" 2>/dev/null
cp "$work/orca.log" build-release/screen-reader-debug.log

# Orca's log stamps each utterance with the time of day; the marks carry the
# seconds since the epoch at which a step's last key is pressed.
grep 'SPEECH OUTPUT:' "$work/orca.log" | sed -E "s/^([0-9:.]+) - SPEECH OUTPUT: '([^']*)'.*/\1|\2/" > "$speech"
day=$(date -d "$(date +%F)" +%s)
failures=0
while IFS='|' read -r at keys name result; do
  [ -n "$name" ] || continue
  said=$(awk -F'|' -v from="$at" -v day="$day" '{
      split($1, t, ":"); when = day + t[1] * 3600 + t[2] * 60 + t[3]
      if (when >= from && when <= from + 2) printf "%s ", $2
    }' "$speech")
  if [[ "$said" == *"$name"* && "$said" == *"Recommended video bitrate: $result kbps"* ]]; then
    echo "ok   $keys -> $said"
  else
    echo "FAIL $keys: wanted '$name' and the result $result within 2 s; Orca said: '$said'"
    failures=$((failures + 1))
  fi
done < "$work/marks"
for whole in "332800 selected" "2048 selected" "1 selected" "3 selected" "1024 selected" \
  "96 selected" "01 selected" "14 selected" "00 selected" "400000 selected"; do
  if grep -q "|$whole" "$speech"; then
    echo "ok   a selected box read whole: '$whole'"
  else
    echo "FAIL no '$whole' in what Orca said"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] || { echo "$failures failures; Orca's speech is in $speech" >&2; exit 1; }
echo "Orca kept up with the whole walk"
