# shellcheck shell=bash
# What every script sources: running as root, installing what is missing
# (never at a prompt), the releases the project is built for, and where it
# keeps what it makes once per machine.
# shellcheck disable=SC2034 # the lists below are read by the scripts that source this

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

# apt-get as root, never at a prompt, its package lists brought up to date
# first, once a run.
apt_get() {
  if [ -z "${QUORVEL_APT_UPDATED:-}" ]; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    QUORVEL_APT_UPDATED=1
  fi
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -y -q --no-install-recommends "$@"
}

# Installs the packages named that are not installed yet.
ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  apt_get install "${missing[@]}"
}

# Installs what debian/control says building the program needs (with
# "nocheck", without what its tests need besides), from the checkout's root.
ensure_build_deps() {
  local profile=()
  [ -n "${1:-}" ] && profile=(-P "$1")
  ensure_packages dpkg-dev
  dpkg-checkbuilddeps "${profile[@]}" >/dev/null 2>&1 && return 0
  echo "installing the build dependencies in debian/control"
  apt_get build-dep "${profile[@]}" "$PWD/"
}

# This machine's Debian release, by its code name (bookworm, trixie).
debian_release() {
  (. /etc/os-release && echo "${VERSION_CODENAME:?/etc/os-release names no release}")
}

# The Debian releases the project is built and tested on, by code name, with
# their numbers; the Windows program is built on the one whose Qt it links.
DEBIAN_RELEASES=(bookworm trixie)
declare -A DEBIAN_NUMBERS=([bookworm]=12 [trixie]=13)
WINDOWS_RELEASE=trixie

# Fails, saying which releases there are, unless RELEASE is one of them.
known_release() {
  [ -n "${DEBIAN_NUMBERS[$1]:-}" ] && return 0
  echo "no release $1 here: the project is built for ${DEBIAN_RELEASES[*]}" >&2
  return 1
}

# The apt lines of RELEASE's archive, its updates and its security updates,
# from the mirrors this machine's apt takes its own release from: those whose
# Release file says Debian made it, for this release's code name however the
# sources name the suite ("stable" too). None where apt knows no such mirror:
# mmdebstrap then takes Debian's own.
release_sources() {
  local release=$1 own suite uri
  own=$(debian_release)
  for suite in "" -updates -security; do
    # shellcheck disable=SC2016 # apt's own format, not the shell's
    uri=$(apt-get indextargets --format '$(REPO_URI)' 'Origin: Debian' "Codename: $own$suite" \
      'Identifier: Packages' | head -n 1)
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

# What the tests on this machine need besides the build dependencies: the
# benchmarks' libraries, clang's sanitizers and libFuzzer, MinGW's windres for
# the Windows resources, and what checks the scripts.
TEST_PACKAGES=(
  libbenchmark-dev libx11-dev libxdamage-dev clang libclang-rt-dev binutils-mingw-w64-x86-64
  shellcheck bats imagemagick
)

# Debian's tools that build the package and check it (sbuild's unshare mode
# needs newuidmap, and Debian 13's brings up the chroot's loopback with ip).
DEBIAN_PACKAGES=(
  dpkg-dev devscripts mmdebstrap sbuild uidmap iproute2 lintian piuparts autopkgtest
  reprotest faketime diffoscope-minimal sudo
)

# What the start-up benchmark needs besides: a private X server and valgrind.
BENCH_PACKAGES=(libbenchmark-dev libx11-dev libxdamage-dev xvfb xauth valgrind)

# What opens the program's window on a private X server and reads what it
# shows (Xvfb, xdotool, ImageMagick, Tesseract).
SCREEN_PACKAGES=(xvfb xauth xdotool imagemagick tesseract-ocr tesseract-ocr-eng)

# What the Windows build needs besides: MinGW-w64 with posix threads, the host
# Qt's tools and attribution scanner, what unpacks and changes Qt's source,
# GoogleTest's source, Wine, NSIS, and diffoscope for two builds of the zip.
WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix qt6-base-dev-tools qt6-documentation-tools dpkg-dev patch googletest
  wine64 nsis diffoscope-minimal
)

# What the screen reader's walk needs (tests/screen_reader).
SCREEN_READER_PACKAGES=(
  orca at-spi2-core dbus speech-dispatcher speech-dispatcher-espeak-ng xvfb xauth xdotool
  bubblewrap
)

# Where the project keeps what a user makes once per machine: Qt for Windows,
# the tarballs of Debian's chroots.
QUORVEL_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/quorvel
# The trees of Debian releases (scripts/in-release.sh), made and brought up to
# date as root, in a folder of root's that every user enters.
QUORVEL_TREES=/var/cache/quorvel/trees
