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

# The Debian mirror this machine's apt takes PACKAGE from, as "URI SUITE
# COMPONENT" (for example "http://deb.debian.org/debian bookworm main").
debian_mirror_of() {
  apt-cache policy "$1" | awk '$2 ~ /^(https?|file):/ { split($3, s, "/"); print $2, s[1], s[2]; exit }'
}

# A locale whose decimal mark is a comma, for the test runs that check that
# nothing reads or writes numbers by the user's locale.
ensure_german_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' || as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

# What building the program and its tests needs.
BUILD_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
)

# What the tests need besides: Qt's private headers (to switch on accessibility
# events where no screen reader listens); a locale with a decimal comma; clang with its
# libFuzzer and sanitizer runtimes; MinGW's windres for the Windows resources;
# the desktop-file and AppStream validators; and what builds the .deb, checks
# it (lintian), installs it into a clean Debian root (debootstrap) and reads
# its program's window under a private X server (xdotool, ImageMagick, Tesseract).
TEST_PACKAGES=(
  qt6-base-private-dev locales clang libclang-rt-14-dev
  binutils-mingw-w64-x86-64 desktop-file-utils appstream
  dpkg-dev file lintian debootstrap xvfb xauth xdotool imagemagick
  tesseract-ocr tesseract-ocr-eng
)

# What the start-up benchmark needs besides: a private X server, the X DAMAGE
# library its probe watches the first frame with, and valgrind.
BENCH_PACKAGES=(xvfb xauth libx11-dev libxdamage-dev valgrind)

# What the Windows build needs besides: MinGW-w64 with posix threads, the host
# Qt's tools (moc, rcc, uic), Qt's attribution scanner for the notices, and
# dpkg-dev to unpack Qt's source, GoogleTest's
# source, Wine to run the programs and tests (and procps, whose pgrep finds
# what a Wine prefix left running), NSIS for the installer, and what opens the
# packaged program's window and reads its result (Xvfb, xdotool, ImageMagick,
# Tesseract).
WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix qt6-base-dev-tools qt6-documentation-tools dpkg-dev googletest
  wine64 procps nsis fonts-liberation xvfb xauth xdotool imagemagick
  tesseract-ocr tesseract-ocr-eng
)
