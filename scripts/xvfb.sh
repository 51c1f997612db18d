# A private X server for programs that need a display. Sourced; needs xvfb.
#   start_private_xvfb: starts one on the first free display, exports DISPLAY
#     and sets XVFB_PID; a server that does not come up is stopped again.
#   stop_private_xvfb: stops the server start_private_xvfb started, if any.
start_private_xvfb() {
  local fifo number
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$fifo" 2>/dev/null &
  XVFB_PID=$!
  if ! read -r -t 10 number < "$fifo"; then
    rm -f "$fifo"
    stop_private_xvfb
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$number"
}

stop_private_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
