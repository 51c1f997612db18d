#!/usr/bin/env bash
# Checks the Windows packages in BUILD_DIR (default build-windows) as a user's
# Wine runs them: each in a fresh Wine prefix set up as Wine sets one up (no
# fonts replaced, nothing installed), on a private Xvfb.
#   quorvel.exe: a GUI program, stripped, importing only Windows' own DLLs.
#   The portable zip: quorvel.exe with its licence files and nothing else; its
#   program, and the exe copied alone into an empty folder, each started; the
#   zip's program again at 150 % (Wine's LogPixels 144).
#   The installer: run by a user, Quorvel's licence on its licence page; run
#   silently, the same files in Program Files\Quorvel, a Start-menu entry,
#   its program started; uninstalled with nothing left.
# A started program must open "Quorvel V1.01" with every box showing its
# start-up number and 1103 as the result, show -95 once 3 is typed over the
# sectors, and 1195 once 700 MB is chosen by a click right of its caption;
# what it shows is read off the screen with Tesseract. Screenshots land in
# BUILD_DIR. Whatever happens, every Wine server, program and X server this
# script started is stopped, and its temporary folder removed.
set -euo pipefail
self=$(readlink -f "$0")
build=$(realpath -m "${1:-$(dirname "$self")/../../build-windows}")
cd "$(dirname "$self")/../.."
. scripts/screen.sh
on_private_x "$self" "$build"
zip=$(compgen -G "$build/quorvel-*-windows-x64.zip") &&
  installer=$(compgen -G "$build/quorvel-*-windows-x64.exe") ||
  { echo "no Windows packages in $build: scripts/windows.sh makes them" >&2; exit 1; }
. scripts/wine.sh
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
prefixes=()
program=
cleanup() {
  local prefix stopped=0
  set +e
  [ -n "$program" ] && kill "$program" 2>/dev/null
  for prefix in "${prefixes[@]}"; do
    WINEPREFIX=$prefix wine_stop 30 || stopped=1
  done
  # A prefix whose server would not end is kept, so that nothing is deleted
  # under a program that may still run.
  if [ "$stopped" -eq 0 ]; then
    rm -rf "$work"
  else
    echo "Wine servers were left running; their prefixes are kept in $work" >&2
  fi
}
trap cleanup EXIT

# What the screen showed when a check failed is kept in BUILD_DIR/failed.png.
fail() {
  echo "FAILED: $*" >&2
  import -window root "$build/failed.png" 2>/dev/null &&
    echo "the screen at that moment: $build/failed.png" >&2
  exit 1
}

# A fresh Wine prefix in PATH, made as Wine makes one; with a DPI after it,
# one that draws at that many dots per inch.
new_prefix() {
  prefixes+=("$1")
  WINEPREFIX=$1 wine_run wineboot --init </dev/null >/dev/null 2>&1
  if [ -n "${2:-}" ]; then
    WINEPREFIX=$1 wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
      /d "$2" /f </dev/null >/dev/null 2>&1
  fi
  WINEPREFIX=$1 wine_wait 60 || fail "setting up the Wine prefix $1 did not end"
}

# Starts EXE in the Wine prefix PREFIX, drives its window as a user would and
# saves a screenshot as BUILD_DIR/NAME.png. With "look" as a fourth argument
# it only looks: start-up values, screenshot, no typing.
check_program() {
  local prefix=$1 exe=$2 name=$3 window
  WINEPREFIX=$prefix wine_run "$exe" >/dev/null 2>&1 &
  program=$!
  window=$(wait_for_window "$program") || fail "$exe: no window"
  if [ "${4:-}" = look ]; then
    expect_start_up "$window" || fail "$exe: the start-up values"
    echo "$name: every box and 1103 at start-up"
  else
    try_as_user "$window" || fail "$exe: as a user tried it"
    echo "$name: every box and 1103 at start-up, -95 after typing 3, 1195 after 700 MB"
  fi
  import -window "$window" "$build/$name.png"
  # Ended through its prefix: the job started is the shell around Wine, and
  # ending it alone would leave the program and its window up.
  WINEPREFIX=$prefix wine_stop 10 || fail "$exe would not end"
  wait "$program" 2>/dev/null || true
  program=
}

# The files beside the program: its licence, the notices and the licence texts.
licence_files() {
  (cd "$1" && find . -type f ! -name quorvel.exe ! -name Uninstall.exe | sed 's|^\./||' | sort)
}

# Fails unless every text file in FOLDER ends its lines in CR LF, as Windows'
# own editors expect.
expect_crlf() {
  local text
  while IFS= read -r text; do
    ! grep -qv $'\r$' "$text" || fail "${text#"$1"/} has lines that do not end in CR LF"
  done < <(find "$1" -type f -name '*.txt')
}


echo "== the portable zip: $(basename "$zip") ($(stat -c %s "$zip") bytes)"
mkdir "$work/unzipped"
(cd "$work/unzipped" && cmake -E tar xf "$zip")
folder=$(ls -d "$work"/unzipped/*/)
exe=$folder/quorvel.exe
bundled=$(licence_files "$folder")
for needed in LICENSE.txt THIRD-PARTY-NOTICES.txt licenses/LGPL-3.0-only.txt \
  licenses/GPL-3.0-only.txt licenses/GCC-exception-3.1.txt; do
  grep -qx "$needed" <<< "$bundled" || fail "the zip holds no $needed"
done
programs=$(find "$folder" -type f \( -iname '*.exe' -o -iname '*.dll' \) | sed "s|^$folder||")
[ "$programs" = quorvel.exe ] || fail "the zip holds programs besides quorvel.exe: $programs"
expect_crlf "$folder"
echo "quorvel.exe ($(stat -c %s "$exe") bytes) with $(wc -l <<< "$bundled") licence files, every one in CR LF lines"

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
imports=$(awk '/DLL Name:/ { print $3 }' <<< "$headers")
foreign=$(grep -viE '^(advapi32|authz|comdlg32|d3d11|d3d12|d3d9|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|mpr|msvcrt|netapi32|ole32|oleaut32|setupapi|shcore|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32|api-ms-win-[a-z0-9-]+)\.dll$' <<< "$imports" || true)
[ -z "$foreign" ] || fail "quorvel.exe needs DLLs that Windows does not have: $foreign"
! grep -q '\.debug' <<< "$(x86_64-w64-mingw32-objdump -h "$exe")" || fail "quorvel.exe is not stripped"
grep -q 'Subsystem.*(Windows GUI)' <<< "$headers" || fail "quorvel.exe is not a GUI program"
echo "imports only Windows' own DLLs: $(tr '\n' ' ' <<< "$imports")"

new_prefix "$work/zip-prefix"
check_program "$work/zip-prefix" "$exe" zip
mkdir -p "$work/zip-prefix/drive_c/users/Public/Desktop/alone"
cp "$exe" "$work/zip-prefix/drive_c/users/Public/Desktop/alone/"
check_program "$work/zip-prefix" "$work/zip-prefix/drive_c/users/Public/Desktop/alone/quorvel.exe" alone
new_prefix "$work/zip-150-prefix" 144
check_program "$work/zip-150-prefix" "$exe" zip-150 look

echo "== the installer: $(basename "$installer") ($(stat -c %s "$installer") bytes)"
prefix=$work/nsis-prefix
new_prefix "$prefix"
# Run as a user runs it, past its welcome page: Quorvel's licence comes next.
WINEPREFIX=$prefix wine_run "$installer" >/dev/null 2>&1 &
program=$!
setup=
for _ in $(seq 100); do
  setup=$(xdotool search --onlyvisible --name '^Quorvel Setup$' 2>/dev/null | head -n 1) && break
  sleep 0.2
done
[ -n "$setup" ] || fail "the installer showed no window"
wait_for_words "$setup" "Welcome" 20 || fail "the installer's first page is not its welcome"
xdotool key --window "$setup" Return 2>/dev/null
wait_for_words "$setup" "License Agreement" 20 || fail "the installer's second page is not a licence"
import -window "$setup" "$build/installer-licence.png"
# Read at twice its size, where Tesseract mistakes fewer of the page's small
# letters; Quorvel's licence is known by its copyright holder and the MIT
# licence's first words, which OCR reads more surely than its title.
convert "$build/installer-licence.png" -resize 200% "$work/licence-page.png"
page=$(tesseract "$work/licence-page.png" - 2>/dev/null | tr '\n' ' ')
[[ "$page" == *"Permission is hereby granted"* && "$page" == *"Quorvel developers"* ]] ||
  fail "the installer's licence page is not Quorvel's licence: $page"
echo "run by a user, the installer shows Quorvel's licence on its licence page"
WINEPREFIX=$prefix wine_stop 10 || fail "the installer would not end"
wait "$program" 2>/dev/null || true
program=
WINEPREFIX=$prefix wine_run "$installer" /S </dev/null >/dev/null 2>&1
WINEPREFIX=$prefix wine_wait 120 || fail "the silent install did not end"
installed="$prefix/drive_c/Program Files/Quorvel"
[ -f "$installed/quorvel.exe" ] || fail "the installer put no quorvel.exe into $installed"
[ "$(licence_files "$installed")" = "$bundled" ] ||
  fail "the installed licence files differ from the zip's: $(diff <(echo "$bundled") <(licence_files "$installed"))"
expect_crlf "$installed"
menu=$(find "$prefix/drive_c" -path '*Start Menu*' -iname 'Quorvel.lnk' | head -n 1)
[ -n "$menu" ] || fail "the installer added no Start-menu entry"
echo "installed into C:\\Program Files\\Quorvel with the same licence files, Start-menu entry ${menu#"$prefix/drive_c/"}"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel'
entry=$(WINEPREFIX=$prefix wine_run reg query "$uninstall_key" 2>/dev/null | tr -d '\r')
for value in 'DisplayName +REG_SZ +Quorvel$' 'DisplayVersion +REG_SZ +1\.0\.0$' \
  'Publisher +REG_SZ +The Quorvel developers$' 'DisplayIcon +REG_SZ +.*\\quorvel\.exe$'; do
  grep -Eq "^ *$value" <<< "$entry" || fail "the uninstall entry lacks $value: $entry"
done
echo "its uninstall entry names Quorvel 1.0.0 by The Quorvel developers, with the program's icon"
check_program "$prefix" "$installed/quorvel.exe" installed
# The uninstaller runs on from a copy of itself: wait until the prefix is idle.
WINEPREFIX=$prefix wine_run "$installed/Uninstall.exe" /S </dev/null >/dev/null 2>&1
WINEPREFIX=$prefix wine_wait 120 || fail "the uninstaller did not end"
left=$(find "$installed" -mindepth 1 2>/dev/null | head -n 5 || true)
[ -z "$left" ] || fail "the uninstaller left: $left"
menu_left=$(find "$prefix/drive_c" -path '*Start Menu*' -iname 'Quorvel.lnk' | head -n 1)
[ -z "$menu_left" ] || fail "the uninstaller left the Start-menu entry"
WINEPREFIX=$prefix wine_run reg query "$uninstall_key" >/dev/null 2>&1 &&
  fail "the uninstaller left its uninstall entry"
echo "uninstalled: nothing left in the install folder, the Start menu or the uninstall entries"
