# A private X server for programs that need a display. Sourced; needs xvfb.
#   start_private_xvfb: starts one on the first free display, exports DISPLAY
#   and sets XVFB_PID; stop it with kill "$XVFB_PID".
start_private_xvfb() {
  local fifo number
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$fifo" 2>/dev/null &
  XVFB_PID=$!
  if ! read -r -t 10 number < "$fifo"; then
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$number"
}
