#!/usr/bin/env bash
# Builds the program and every test, and runs them all:
#   on this machine: the core alone without Qt, everything, everything again
#   under a locale whose decimal mark is a comma, everything under
#   AddressSanitizer and UndefinedBehaviorSanitizer, and a short fuzzing run
#   of the conversions;
#   the Debian package, for Debian 12 and Debian 13, as Debian builds and
#   checks it (scripts/debian.sh: sbuild, whose build runs every test under
#   that release's Qt, lintian, piuparts, autopkgtest, reprotest);
#   the Windows program, built, tested under Wine and packaged
#   (scripts/windows.sh, in a Debian 13 tree).
# Exits non-zero when any of them fails.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${SANITIZER_PACKAGES[@]}" \
  "${DEBIAN_PACKAGES[@]}"
ensure_locale de_DE.UTF-8

# Widget tests use Qt's offscreen platform; a display, if any, is not needed.
export QT_QPA_PLATFORM=offscreen
qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
on="Debian $(. /etc/os-release && echo "$VERSION_ID"), Qt ${qt%%+*}"

# Configures, builds and tests PRESET; further arguments go to the build.
build_and_test() {
  local preset=$1
  shift
  cmake --preset "$preset"
  cmake --build --preset "$preset" "$@"
  ctest --preset "$preset"
}

step "the calculation core alone, without Qt"
build_and_test core

step "everything, also under a locale with a decimal comma ($on)"
build_and_test dev

step "everything, under AddressSanitizer and UndefinedBehaviorSanitizer"
build_and_test asan

step "fuzzing the conversions"
build_and_test fuzz --target conversions_fuzz

scripts/debian.sh

step "the Windows program, its tests under Wine and its packages"
scripts/windows.sh
step "every step passed"
