#!/usr/bin/env bash
# Builds the Windows program and its tests with MinGW-w64, runs every test under
# Wine (again under a locale whose decimal mark is a comma), makes the portable
# zip and the installer, checks both in fresh Wine prefixes, and builds the
# program and its zip again in another folder, which must give the same bytes.
# Qt for Windows and GoogleTest are built once per machine and kept under
# ~/.cache.
# Results: build-windows/quorvel-*-windows-x64.zip and .exe.
# The Windows program is built from the Qt source of one Debian release, with
# that release's MinGW-w64 and Wine: all of this runs in a tree of that release
# (scripts/in-release.sh), with the same cache, on that release too, so that
# the program is made of the same packages on every machine and the machine's
# apt needs no source lines.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
if [ "${QUORVEL_TREE:-}" != "$WINDOWS_RELEASE" ]; then
  exec scripts/in-release.sh "$WINDOWS_RELEASE" scripts/windows.sh "$@"
fi
. scripts/windows-libs.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_PACKAGES[@]}" "${SCREEN_PACKAGES[@]}" locales
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
scripts/check-windows-packages.sh build-windows

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
