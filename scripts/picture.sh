#!/usr/bin/env bash
# Makes docs/window.png, the README's picture of the window, from the program
# itself: the release build, opened on a private X server with the faces the
# Debian package depends on, as it shows its start-up values.
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
. scripts/packages.sh
. scripts/screen.sh
ensure_build_deps nocheck
ensure_packages "${SCREEN_PACKAGES[@]}"
on_private_x "$self" "$@"
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
program=
trap '[ -z "$program" ] || kill "$program" 2>/dev/null' EXIT
QT_QPA_PLATFORM=xcb "build${QUORVEL_BUILD_TAG:-}-release/app/quorvel" >/dev/null 2>&1 &
program=$!
window=$(wait_for_window "$program")
expect_start_up "$window"
mkdir -p docs
# Without the times ImageMagick would write into it, the picture changes only
# when the window does.
import -window "$window" png:- | convert - -strip docs/window.png
echo "docs/window.png"
