#!/usr/bin/env bash
# Builds the program and every test, and runs them all: the core alone without
# Qt, everything, everything again under a locale whose decimal mark is a comma,
# everything under AddressSanitizer and UndefinedBehaviorSanitizer, and a short
# fuzzing run of the conversions; then the .deb is built and checked; then the
# Windows program is built, tested under Wine and packaged (scripts/windows.sh).
# Exits non-zero when any of them fails.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

ensure_german_locale

# Widget tests use Qt's offscreen platform; a display, if any, is not needed.
export QT_QPA_PLATFORM=offscreen

step() { printf '\n== %s\n' "$*"; }

step "the calculation core alone, without Qt"
cmake --preset core
cmake --build --preset core
ctest --preset core

step "everything"
cmake --preset dev
cmake --build --preset dev
ctest --preset dev

step "everything, under a locale with a decimal comma"
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 ctest --preset dev

step "everything, under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

step "fuzzing the conversions"
cmake --preset fuzz
cmake --build --preset fuzz --target conversions_fuzz
ctest --preset fuzz

step "the Debian package"
scripts/check-deb.sh

step "the Windows program, its tests under Wine and its packages"
scripts/windows.sh
