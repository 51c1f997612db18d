#!/usr/bin/env bash
# Checks the Windows packages in BUILD_DIR (default build-windows) under Wine,
# each in a fresh Wine prefix on a private Xvfb: the portable zip unpacked and
# its program started; the installer run silently, its Start-menu entry and
# its program checked, then uninstalled with nothing left behind. A started
# program must open "Quorvel V1.01" showing 1103, show -95 once 3 is typed over
# the sectors, and 1195 once 700 MB is chosen by a click right of its caption.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build-windows}" && pwd)
. scripts/xvfb.sh
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(dirname "$wine")/wineserver
work=$(mktemp -d)
start_private_xvfb
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  WINEPREFIX="$work/zip-prefix" "$wineserver" -k 2>/dev/null || true
  WINEPREFIX="$work/nsis-prefix" "$wineserver" -k 2>/dev/null || true
  kill "$XVFB_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The number the result label shows, read off the screen. The label stands at
# (264, 272) in the window's client area, 89 by 25 pixels.
result_shown() {
  local window=$1 x y
  eval "$(xdotool getwindowgeometry --shell "$window")"
  x=$((X + 264))
  y=$((Y + 272))
  import -window root -crop "89x25+$x+$y" -resize 400% -colorspace Gray "$work/result.png"
  tesseract "$work/result.png" - --psm 7 -c tessedit_char_whitelist=-0123456789 2>/dev/null |
    tr -d '[:space:]'
}

expect_result() {
  local window=$1 expected=$2 shown=
  for _ in $(seq 30); do
    shown=$(result_shown "$window")
    [ "$shown" = "$expected" ] && return 0
    sleep 0.2
  done
  fail "the window shows '$shown' where $expected was expected"
}

# Starts EXE in the Wine prefix PREFIX and drives its window as a user would.
check_program() {
  local prefix=$1 exe=$2 window=
  WINEPREFIX=$prefix "$wine" "$exe" >/dev/null 2>&1 &
  program=$!
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^Quorvel V1\.01$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$program" 2>/dev/null || fail "$exe ended without a window"
    sleep 0.2
  done
  [ -n "$window" ] || fail "$exe showed no window"
  echo "$exe opened its window"
  expect_result "$window" 1103
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # The sectors box: at (64, 136) in the size frame, which stands at (8, 32).
  xdotool mousemove $((X + 100)) $((Y + 177)) click 1
  xdotool key ctrl+a type 3
  expect_result "$window" -95
  # 700 MB: at (8, 40) in the size frame, 113 pixels wide; clicked right of its caption.
  xdotool mousemove $((X + 124)) $((Y + 80)) click 1
  expect_result "$window" 1195
  echo "$exe answered typing and clicks: 1103, -95, 1195"
  import -window root "$build/$(basename "$exe" .exe)-$3.png"
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=
}

# A fresh Wine prefix, set up as for the tests (with the stand-ins for the
# Microsoft faces); the programs themselves run with plain Wine, so that they
# find no DLL outside their own folder.
new_prefix() {
  WINEPREFIX=$1 "$build/wine-run.sh" --start
}

zip=$(ls "$build"/quorvel-*-windows-x64.zip)
installer=$(ls "$build"/quorvel-*-windows-x64.exe)

echo "== the portable zip: $(basename "$zip")"
new_prefix "$work/zip-prefix"
mkdir "$work/unzipped"
(cd "$work/unzipped" && cmake -E tar xf "$zip")
folder=$(ls -d "$work"/unzipped/*/)
check_program "$work/zip-prefix" "$folder/quorvel.exe" zip

echo "== the installer: $(basename "$installer")"
prefix=$work/nsis-prefix
new_prefix "$prefix"
WINEPREFIX=$prefix "$wine" "$installer" /S </dev/null >/dev/null 2>&1
installed="$prefix/drive_c/Program Files/Quorvel"
[ -f "$installed/quorvel.exe" ] || fail "the installer put no quorvel.exe into $installed"
menu=$(find "$prefix/drive_c" -path '*Start Menu*' -iname 'Quorvel.lnk' | head -n 1)
[ -n "$menu" ] || fail "the installer added no Start-menu entry"
echo "installed into C:\\Program Files\\Quorvel, Start-menu entry ${menu#"$prefix/drive_c/"}"
check_program "$prefix" "$installed/quorvel.exe" installed
# The uninstaller runs on from a copy of itself: wait until the prefix is idle.
WINEPREFIX=$prefix "$wine" "$installed/Uninstall.exe" /S </dev/null >/dev/null 2>&1
WINEPREFIX=$prefix "$wineserver" -w
left=$(find "$installed" -mindepth 1 2>/dev/null | head -n 5 || true)
[ -z "$left" ] || fail "the uninstaller left: $left"
menu_left=$(find "$prefix/drive_c" -path '*Start Menu*' -iname 'Quorvel.lnk' | head -n 1)
[ -z "$menu_left" ] || fail "the uninstaller left the Start-menu entry"
echo "uninstalled: nothing left in the install folder or the Start menu"
