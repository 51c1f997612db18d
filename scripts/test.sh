#!/usr/bin/env bash
# The test command, which CI runs: installs what it needs, builds the program
# and every test, and runs them all, stopping at the first that fails:
#   the scripts, by ShellCheck and their own tests;
#   on this machine: the core alone without Qt; everything, each test of the
#   core and the window again under a decimal comma; everything under
#   AddressSanitizer and UndefinedBehaviorSanitizer; a short fuzzing run;
#   the Debian package for Debian 12 and 13 (scripts/debian.sh);
#   the Windows program (scripts/windows.sh, in a Debian 13 tree);
#   the scripts again, in the trees and caches those made.
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
. scripts/packages.sh
ensure_build_deps
ensure_packages "${TEST_PACKAGES[@]}" "${DEBIAN_PACKAGES[@]}"
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

step "the scripts: ShellCheck and their tests"
mapfile -t shell < <(git ls-files --cached --others --exclude-standard '*.sh' '*.sh.in' '*.bash' \
  '*.bats' .ci/run 'debian/tests/*' ':!debian/tests/control')
shellcheck -x -S warning "${shell[@]}"
bats tests/scripts

step "the calculation core alone, without Qt"
build_and_test core

step "everything, each test of the core and the window also under a decimal comma ($on)"
build_and_test dev

step "everything, under AddressSanitizer and UndefinedBehaviorSanitizer"
build_and_test asan

step "fuzzing the conversions"
build_and_test fuzz --target conversions_fuzz

scripts/debian.sh

step "the Windows program, its tests under Wine and its packages"
scripts/windows.sh

step "the scripts in the trees and caches made"
bats tests/scripts/trees
step "every step passed"
