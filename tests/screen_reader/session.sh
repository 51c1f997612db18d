#!/usr/bin/env bash
# Runs inside a D-Bus session of its own: the accessibility bus; Orca
# speaking through speech-dispatcher into ALSA's null device (no sound card
# needed) and writing what it speaks to its debug log; the program; then the
# walk. No window manager runs: the window must take the keyboard back itself
# when the message over it closes, as it does on a desktop that leaves the
# keyboard nowhere.
# Orca keeps its command-line options in its settings, so every run has a
# home of its own. Run by check.sh, which sets WORK (a folder of the run's),
# WALK (the steps) and PROGRAM.
set -euo pipefail
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run
mkdir -p "$HOME/.config/speech-dispatcher" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
printf '%s\n' 'AudioOutputMethod "alsa"' 'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"' \
  'DefaultModule espeak-ng' > "$HOME/.config/speech-dispatcher/speechd.conf"
echo 'pcm.!default { type null }' > "$HOME/.asoundrc"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
/usr/libexec/at-spi-bus-launcher --launch-immediately &
orca --debug-file="$WORK/orca.log" > "$WORK/orca.out" 2>&1 &
# Orca tells no sign of being ready: five seconds let it register on the bus
# and start its speech before the window it must hear of opens.
sleep 5
"$PROGRAM" > "$WORK/program.out" 2>&1 &
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Quorvel V1\.01$' 2>/dev/null | head -n 1) && break
  sleep 0.1
done
xdotool windowfocus --sync "$window"
# Orca speaks the window and its focused box as the window opens; three
# seconds let that end before the first step's keys.
sleep 3
# A step's keys go 400 ms apart, each heard on its own; a burst's 125 ms
# apart, as fast typing is. After its last key a step is given three seconds,
# longer than the result's pause and Orca's speech of the box and result.
while IFS='|' read -r keys said result; do
  read -ra key <<< "$keys"
  delay=400
  if [ "${key[0]}" = burst ]; then
    key=("${key[@]:1}")
    delay=125
  fi
  if [ ${#key[@]} -gt 1 ]; then
    xdotool key --delay "$delay" "${key[@]:0:${#key[@]}-1}"
    sleep "0.$delay"
  fi
  echo "$(date +%s.%N)|$keys|$said|$result" >> "$WORK/marks"
  xdotool key "${key[-1]}"
  sleep 3
done < <(grep -v "^#" "$WALK")
# Orca's log reaches its file a buffer at a time: keys that Orca only logs
# push the walk's last words out.
for _ in $(seq 20); do xdotool key shift; sleep 0.1; done
sleep 1
