# shellcheck shell=bash
# Reads the program's window off a private X screen, as a user sees it.
# Sourced; needs xdotool, ImageMagick and Tesseract, and xvfb-run (xvfb, xauth).
#   on_private_x SCRIPT ARG...: runs SCRIPT (its whole path) again with ARGs on
#     an X server of its own (xvfb-run's), unless it runs on one already; at a
#     script's top.
#   wait_for_window PID: prints the id of the window "Quorvel V1.01" once it
#     shows; fails if the process PID ends first or nothing shows in 60 s.
#   expect_shown WINDOW PLACE TEXT: waits up to 6 s for the number at PLACE
#     (one of SCREEN_PLACES) to read TEXT; fails saying what it read instead
#     (a reading for each way of preparing the image).
#   expect_start_up WINDOW: every box shows its start-up value and the result 1103.
#   try_as_user WINDOW: what a user first does with the window: every box and
#     1103 at start-up, -95 once 3 is typed over the sectors, 1195 once 700 MB
#     is chosen by a click right of its caption; fails saying which step failed.
#   click_at WINDOW POINT: a click at POINT (one of SCREEN_POINTS).
#   wait_for_words WINDOW WORDS SECONDS: waits for WORDS to be read off WINDOW.

# Where the window shows its numbers: left, top, width and height in logical
# pixels of its client area (409 by 375), inside the boxes' borders. A window
# drawn at a larger scale is read at that scale.
declare -A SCREEN_PLACES=(
  [sectors]="74 170 61 15" [bytes]="74 194 61 15" [audio]="298 242 61 15"
  [hours]="18 242 21 15" [minutes]="50 242 21 15" [seconds]="82 242 21 15"
  [result]="264 272 89 25")

# Where a user clicks, in logical pixels of the client area. The sectors box
# stands at (64, 136) in the size frame, which stands at (8, 32), and is 65 by
# 19: a click in its middle. The 700 MB option stands at (8, 40) in the frame,
# 113 by 17, its caption about 75 wide: a click right of the caption, which
# must choose it all the same.
declare -A SCREEN_POINTS=([sectors]="100 177" [file700]="124 80")

on_private_x() {
  [ -z "${QUORVEL_ON_PRIVATE_X:-}" ] || return 0
  QUORVEL_ON_PRIVATE_X=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$@"
}

wait_for_window() {
  local pid=$1 window=
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Quorvel V1\.01$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && { echo "$window"; return 0; }
    [ -d "/proc/$pid" ] || { echo "the program ended without a window" >&2; return 1; }
    sleep 0.2
  done
  echo "the program showed no window" >&2
  return 1
}

# Ways of making a number ready for OCR, tried in turn: small digits drawn
# with thin or grey strokes (Wine's rendering of Liberation Sans, say) lose
# pixels to one threshold and keep them at another, or once smoothed.
SCREEN_OCR_FILTERS=(
  "-resize 600% -colorspace Gray -threshold 60%"
  "-resize 600% -colorspace Gray -threshold 80%"
  "-resize 800% -colorspace Gray -blur 0x4 -threshold 70%"
  "-resize 400% -colorspace Gray"
)

# The number shown at PLACE of WINDOW, read by OCR: one reading a line, two
# for each of SCREEN_OCR_FILTERS. The images are made in a folder of its own,
# removed however it ends; a tool that fails fails the reading (explicitly:
# it is called where the shell's -e does not hold).
shown_at() (
  set -o pipefail
  local window=$1 left top width height scale crop dir filter layout
  read -r left top width height <<< "${SCREEN_PLACES[$2]}"
  eval "$(xdotool getwindowgeometry --shell "$window")" || exit 1
  scale=$(awk -v w="$WIDTH" 'BEGIN { print w / 409 }')
  crop=$(awk -v s="$scale" -v l="$left" -v t="$top" -v w="$width" -v h="$height" -v x="$X" -v y="$Y" \
    'BEGIN { printf "%dx%d+%d+%d", w * s, h * s, x + l * s, y + t * s }')
  dir=$(mktemp -d) || exit 1
  trap 'rm -rf "$dir"' EXIT
  import -window root "$dir/screen.png" || exit 1
  for filter in "${SCREEN_OCR_FILTERS[@]}"; do
    # shellcheck disable=SC2086 # a filter is several of convert's arguments
    convert "$dir/screen.png" -crop "$crop" +repage $filter -bordercolor white -border 20 \
      "$dir/number.png" || exit 1
    # Read as a line of text, and as a single word, which finds two small
    # zeros where the line finds nothing.
    for layout in 7 8; do
      tesseract "$dir/number.png" - --psm "$layout" -c tessedit_char_whitelist=-0123456789 \
        2>/dev/null | tr -d '[:space:]' || exit 1
      echo
    done
  done
)

# A number is taken as shown when any one reading of it is exactly the one
# expected: OCR of digits this small drops, merges and mistakes some in one
# reading or another, so a single reading would fail a right window.
expect_shown() {
  local window=$1 place=$2 expected=$3 shown=
  for _ in $(seq 30); do
    shown=$(shown_at "$window" "$place") || { echo "the $place could not be read" >&2; return 1; }
    grep -qx -- "$expected" <<< "$shown" && return 0
    sleep 0.2
  done
  echo "the $place shows '$(tr '\n' ' ' <<< "$shown")' where $expected was expected" >&2
  return 1
}

expect_start_up() {
  local window=$1
  expect_shown "$window" result 1103 && expect_shown "$window" sectors 332800 &&
    expect_shown "$window" bytes 2048 && expect_shown "$window" audio 96 &&
    expect_shown "$window" hours 01 && expect_shown "$window" minutes 14 &&
    expect_shown "$window" seconds 00
}

try_as_user() {
  local window=$1
  expect_start_up "$window" || { echo "wrong at start-up" >&2; return 1; }
  click_at "$window" sectors
  xdotool key ctrl+a type 3
  expect_shown "$window" result -95 || { echo "wrong once 3 is typed over the sectors" >&2; return 1; }
  click_at "$window" file700
  expect_shown "$window" result 1195 || { echo "wrong once 700 MB is chosen" >&2; return 1; }
}

click_at() {
  local window=$1 x y scale
  read -r x y <<< "${SCREEN_POINTS[$2]}"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  scale=$(awk -v w="$WIDTH" 'BEGIN { print w / 409 }')
  xdotool mousemove "$(awk -v s="$scale" -v p="$x" -v o="$X" 'BEGIN { printf "%d", o + p * s }')" \
    "$(awk -v s="$scale" -v p="$y" -v o="$Y" 'BEGIN { printf "%d", o + p * s }')" click 1
}

# What the window shows, in words, by OCR.
words_of() (
  set -o pipefail
  local dir
  dir=$(mktemp -d) || exit 1
  trap 'rm -rf "$dir"' EXIT
  import -window "$1" "$dir/window.png" && tesseract "$dir/window.png" - 2>/dev/null | tr '\n' ' '
)

wait_for_words() {
  local window=$1 words=$2 seconds=$3 read=
  for _ in $(seq $((seconds * 2))); do
    read=$(words_of "$window")
    [[ "$read" == *"$words"* ]] && return 0
    sleep 0.5
  done
  echo "no '$words' on the screen in $seconds s; read: $read" >&2
  return 1
}
