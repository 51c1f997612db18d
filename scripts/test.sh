#!/usr/bin/env bash
# Builds the program and every test, and runs them all, on this machine's
# Debian release and on every other release the project is built for:
#   on this machine: the core alone without Qt, everything, everything again
#   under a locale whose decimal mark is a comma, everything under
#   AddressSanitizer and UndefinedBehaviorSanitizer, a short fuzzing run of
#   the conversions, and the .deb of this release (scripts/check-deb.sh);
#   in a root of each other release (scripts/release-root.sh): everything
#   under that release's Qt, again under the decimal comma, and its .deb;
#   then the Windows program, built, tested under Wine and packaged
#   (scripts/windows.sh, in the root of the release whose Qt it links where
#   that is not this machine's).
# Exits non-zero when any of them fails.
#   scripts/test.sh --release: only what a release's root runs.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

part=all
[ "${1:-}" = --release ] && part=release
release=$(debian_release)

if [ "$part" = all ]; then
  ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${SANITIZER_PACKAGES[@]}" \
    "${DEB_CHECK_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
else
  ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${DEB_CHECK_PACKAGES[@]}"
fi
ensure_german_locale

# Widget tests use Qt's offscreen platform; a display, if any, is not needed.
export QT_QPA_PLATFORM=offscreen
qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
on="Debian ${DEBIAN_NUMBERS[$release]:-$release}, Qt ${qt%%+*}"

# Configures, builds and tests PRESET; further arguments go to the build.
build_and_test() {
  local preset=$1
  shift
  cmake --preset "$preset"
  cmake --build --preset "$preset" "$@"
  ctest --preset "$preset"
}

if [ "$part" = all ]; then
  step "the calculation core alone, without Qt"
  build_and_test core
fi

step "everything ($on)"
build_and_test dev

step "everything, under a locale with a decimal comma ($on)"
LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 ctest --preset dev

if [ "$part" = all ]; then
  step "everything, under AddressSanitizer and UndefinedBehaviorSanitizer"
  build_and_test asan

  step "fuzzing the conversions"
  build_and_test fuzz --target conversions_fuzz
fi

step "the Debian package ($on)"
scripts/check-deb.sh

[ "$part" = all ] || exit 0

for other in $(other_releases); do
  step "Debian ${DEBIAN_NUMBERS[$other]} ($other), in a root of its own"
  scripts/release-root.sh "$other" scripts/test.sh --release
done

step "the Windows program, its tests under Wine and its packages"
scripts/windows.sh
step "every step passed"
