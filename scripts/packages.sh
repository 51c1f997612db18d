# Installs the Debian packages named as arguments that are not installed yet.
# Sourced by the other scripts; never stops at a prompt.

# Runs a command as root: directly when root, else through sudo, which asks
# for a password only where it cannot run without one. The command runs once.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif ! command -v sudo >/dev/null 2>&1; then
    echo "need root (or sudo) to run: $*" >&2
    return 1
  elif sudo -n true 2>/dev/null; then
    sudo -n "$@"
  else
    sudo "$@"
  fi
}

ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# This machine's Debian release, by its code name (bookworm, trixie).
debian_release() {
  (. /etc/os-release && echo "${VERSION_CODENAME:?/etc/os-release names no release}")
}

# The apt lines of RELEASE's archive, its updates and its security updates,
# from the mirrors this machine's apt takes its own release from, as apt
# itself reads its sources, for mmdebstrap to make a tree or a tarball of
# RELEASE from. None where apt names no such mirror: mmdebstrap then takes
# Debian's own.
release_sources() {
  local release=$1 own suite uri
  own=$(debian_release)
  for suite in "" -updates -security; do
    uri=$(apt-get indextargets --no-release-info --format '$(REPO_URI)' \
      "Release: $own$suite" 'Identifier: Packages' | head -n 1)
    if [ -n "$uri" ]; then echo "deb $uri $release$suite main"; fi
  done
}

# The heading of a step of a long run, with the minutes and seconds since the
# script began, so that its output shows where the time goes.
step() {
  printf '\n== %s (%d:%02d in)\n' "$*" $((SECONDS / 60)) $((SECONDS % 60))
}

# Makes the UTF-8 locale NAME (de_DE.UTF-8) where the machine lacks it, and
# says so: de_DE's decimal mark is a comma, for the test runs that check that
# nothing reads or writes numbers by the user's locale.
ensure_locale() {
  locale -a 2>/dev/null | grep -qix "${1%.*}\.utf-\?8" && return 0
  echo "making the locale $1"
  as_root localedef -i "${1%.*}" -f UTF-8 "$1"
}

# The Debian releases the project is built and tested on, by code name, with
# their numbers; the Windows program is built on the one whose Qt it links.
DEBIAN_RELEASES=(bookworm trixie)
declare -A DEBIAN_NUMBERS=([bookworm]=12 [trixie]=13)
WINDOWS_RELEASE=trixie

# What building the program and its tests needs, with the X libraries the
# start-up benchmark's probe is built with.
BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libxdamage-dev
  fonts-liberation fonts-dejavu-core
)

# What the tests need besides: Qt's private headers (to switch on accessibility
# events where no screen reader listens); a locale with a decimal comma;
# MinGW's windres for the Windows resources; the desktop-file and AppStream
# validators; a private X server and xdotool, for the window on a real X
# server handed the keyboard by another client.
TEST_PACKAGES=(
  qt6-base-private-dev locales
  binutils-mingw-w64-x86-64 desktop-file-utils appstream xvfb xauth xdotool
)

# What the runs under the sanitizers and the fuzzing need: clang with its
# libFuzzer and sanitizer runtimes.
SANITIZER_PACKAGES=(clang libclang-rt-dev)

# Debian's own tools that build the source package in a clean chroot of each
# release and check it: mmdebstrap makes the chroots' tarballs, sbuild builds
# in them (unshare mode, with newuidmap, and Debian 13's with ip, which brings
# up the chroot's loopback), lintian, piuparts and autopkgtest check the
# packages, reprotest and diffoscope the build's reproducibility.
DEBIAN_PACKAGES=(
  dpkg-dev devscripts mmdebstrap sbuild uidmap iproute2 lintian piuparts autopkgtest
  reprotest faketime diffoscope-minimal sudo debhelper
)

# What the start-up benchmark needs besides: a private X server and valgrind.
BENCH_PACKAGES=(xvfb xauth valgrind)

# What opens the program's window on a private X server and reads what it
# shows (Xvfb, xdotool, ImageMagick, Tesseract).
SCREEN_PACKAGES=(xvfb xauth xdotool imagemagick tesseract-ocr tesseract-ocr-eng)

# What the Windows build needs besides: MinGW-w64 with posix threads, the host
# Qt's tools (moc, rcc, uic), Qt's attribution scanner for the notices,
# dpkg-dev and patch to unpack and change Qt's source, GoogleTest's source,
# Wine to run the programs and tests, NSIS for the installer, and diffoscope
# to show where two builds of the zip differ.
WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix qt6-base-dev-tools qt6-documentation-tools dpkg-dev patch googletest
  wine64 nsis diffoscope-minimal
)

# What a screen reader's walk through the window needs: Orca speaking through
# speech-dispatcher on an accessibility bus of its own, in a process
# namespace of its own (bubblewrap).
SCREEN_READER_PACKAGES=(
  orca at-spi2-core dbus speech-dispatcher speech-dispatcher-espeak-ng xvfb xauth xdotool
  bubblewrap
)

# Where the project keeps what it makes once per machine: Qt for Windows, the
# trees and tarballs of Debian releases.
QUORVEL_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/quorvel

# Everything the tree of another release holds (scripts/in-release.sh): what
# the Windows build and the screen reader's walk run there need.
release_tree_packages() {
  printf '%s\n' "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${SCREEN_PACKAGES[@]}" \
    "${WINDOWS_PACKAGES[@]}" "${SCREEN_READER_PACKAGES[@]}" ca-certificates git | sort -u
}
