#!/usr/bin/env bash
# Builds the Windows program and its tests with MinGW-w64, runs every test
# under Wine, makes the zip and the installer and checks both in fresh Wine
# prefixes, then builds the program and its zip again in another folder, which
# must give the same bytes. It all runs in a tree of the release whose Qt the
# program links (scripts/in-release.sh); docs/windows.md says more.
# Results: build-windows/quorvel-*-windows-x64.zip and .exe.
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
. scripts/packages.sh
if [ "${QUORVEL_TREE:-}" != "$WINDOWS_RELEASE" ]; then
  exec scripts/in-release.sh "$WINDOWS_RELEASE" scripts/windows.sh "$@"
fi
. scripts/windows-libs.sh
ensure_build_deps
ensure_packages "${WINDOWS_PACKAGES[@]}" "${SCREEN_PACKAGES[@]}" locales
ensure_locale de_DE.UTF-8

step "Qt for Windows"
windows_qt_ensure
QUORVEL_WINDOWS_QT=$(windows_qt_prefix)
export QUORVEL_WINDOWS_QT

step "GoogleTest for Windows"
windows_gtest_ensure
QUORVEL_WINDOWS_GTEST=$(windows_gtest_prefix)
export QUORVEL_WINDOWS_GTEST

step "the program and its tests for Windows"
# CMake reads the toolchain file, and with it the Qt to link, only when it
# first configures a folder: a build made against another Qt for Windows (an
# earlier folder of the cache) is configured afresh, or it would go on
# linking that Qt.
fresh=()
if grep -oE '/qt-[^/]+-mingw-w64-[0-9a-f]+/' build-windows/CMakeCache.txt 2>/dev/null |
  grep -qvxF "/$(basename "$QUORVEL_WINDOWS_QT")/"; then
  fresh=(--fresh)
fi
cmake --preset windows "${fresh[@]}"
# The build runs Windows programs too (the icon drawer, the test listings):
# the build's Wine prefix and server come up first, and end with this script,
# however it ends.
trap 'build-windows/wine-run.sh --stop' EXIT
build-windows/wine-run.sh --start
cmake --build --preset windows

step "every test under Wine, also under a locale with a decimal comma"
QT_QPA_PLATFORM=offscreen ctest --preset windows
build-windows/wine-run.sh --stop

# Every file of the packages carries the time of the release's changelog entry.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l debian/changelog -S Timestamp)
export SOURCE_DATE_EPOCH

step "the zip and the installer"
(cd build-windows && cpack)
tests/windows_packages/check.sh build-windows

step "the program and its zip again, in another folder: the same bytes"
again=build-windows-again
cmake -S . -B "$again" -G Ninja --fresh -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$QUORVEL_WINDOWS_QT/lib/cmake/Qt6/qt.toolchain.cmake" >/dev/null
cmake --build "$again" --target quorvel >/dev/null
(cd "$again" && cpack -G ZIP >/dev/null)
zip=$(cd build-windows && ls quorvel-*-windows-x64.zip)
if ! cmp -s "build-windows/$zip" "$again/$zip"; then
  diffoscope "build-windows/$zip" "$again/$zip" >&2 || true
  echo "FAILED: $zip differs between build-windows and $again" >&2
  exit 1
fi
sha256sum "build-windows/$zip" "$again/$zip"
