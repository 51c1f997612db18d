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

# The Debian archives this machine's apt takes its own release from, one a
# line as "URI SUITE KEYRING": the release itself first, then its updates and
# its security suite where apt has them; KEYRING is the entry's Signed-By, or
# "-". Suites by code name, whatever the sources call them ("stable" ...).
debian_archives() {
  local release uri suite entry file stanza key
  release=$(debian_release)
  apt-get indextargets --format '$(REPO_URI) $(CODENAME) $(ORIGIN) $(SOURCESENTRY)' \
    'Identifier: Packages' | awk -v r="$release" '$3 == "Debian" &&
      ($2 == r || $2 == r "-updates" || $2 == r "-security") && !seen[$1 " " $2]++ {
      print ($2 == r ? 0 : $2 == r "-updates" ? 1 : 2), $1, $2, $4 }' | sort -n |
    while read -r _ uri suite entry; do
      file=${entry%:*}
      stanza=${entry##*:}
      key=
      case "$file" in
        *.sources) key=$(awk -v n="$stanza" 'BEGIN { RS = "" } NR == n' "$file" |
          awk -F': *' 'tolower($1) == "signed-by" { print $2 }') ;;
        *.list) key=$(sed -n "${stanza}p" "$file" | grep -o 'signed-by=[^] ]*' | cut -d= -f2 || true) ;;
      esac
      echo "$uri $suite ${key:--}"
    done
}

# Lines of a sources.list of TYPE (deb or deb-src) for RELEASE, from the
# archives this machine takes its own release from: the same mirrors, with
# RELEASE's suites in place of this machine's. Without a KEYRING argument, each
# entry keeps the machine's Signed-By; with one, every entry uses it.
debian_sources_for() {
  local type=$1 release=$2 keyring=${3:-} own uri suite key
  own=$(debian_release)
  while read -r uri suite key; do
    [ -n "$keyring" ] && key=$keyring
    [ "$key" = - ] && key=
    echo "$type ${key:+[signed-by=$key] }$uri $release${suite#"$own"} main"
  done < <(debian_archives)
}

# The heading of a step of a long run, with the minutes and seconds since the
# script began, so that its output shows where the time goes.
step() {
  printf '\n== %s (%d:%02d in)\n' "$*" $((SECONDS / 60)) $((SECONDS % 60))
}

# A locale whose decimal mark is a comma, for the test runs that check that
# nothing reads or writes numbers by the user's locale.
ensure_german_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' || as_root localedef -i de_DE -f UTF-8 de_DE.UTF-8
}

# The Debian releases the project is built and tested on, by code name, with
# their numbers; the Windows program is built on the one whose Qt it links.
declare -A DEBIAN_NUMBERS=([bookworm]=12 [trixie]=13)
WINDOWS_RELEASE=trixie

# The releases other than this machine's, whose builds and tests run in roots
# of their own.
other_releases() {
  local own release
  own=$(debian_release)
  for release in "${!DEBIAN_NUMBERS[@]}"; do
    [ "$release" = "$own" ] || echo "$release"
  done | sort
}

# What a build in RELEASE's root is marked with, beside its preset's name
# (build-deb13-dev): "deb" and the release's number.
release_tag() {
  echo "deb${DEBIAN_NUMBERS[$1]:?no Debian number known for $1}"
}

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
# validators; a static busybox, the whole of the root in which the release
# roots' script is tested.
TEST_PACKAGES=(
  qt6-base-private-dev locales
  binutils-mingw-w64-x86-64 desktop-file-utils appstream busybox-static
)

# What the runs under the sanitizers and the fuzzing need: clang with its
# libFuzzer and sanitizer runtimes.
SANITIZER_PACKAGES=(clang libclang-rt-dev)

# What builds the .deb, checks it (lintian), installs it into a clean Debian
# root (debootstrap) and reads its program's window under a private X server
# (xdotool, ImageMagick, Tesseract); debootstrap also makes the roots of the
# other releases.
DEB_CHECK_PACKAGES=(
  dpkg-dev file lintian debootstrap xvfb xauth xdotool imagemagick
  tesseract-ocr tesseract-ocr-eng
)

# What the start-up benchmark needs besides: a private X server and valgrind.
BENCH_PACKAGES=(xvfb xauth valgrind)

# What the Windows build needs besides: MinGW-w64 with posix threads, the host
# Qt's tools (moc, rcc, uic), Qt's attribution scanner for the notices,
# dpkg-dev and patch to unpack and change Qt's source, GoogleTest's source,
# Wine to run the programs and tests (and procps, whose pgrep finds what a
# Wine prefix left running), NSIS for the installer, and what opens the
# packaged program's window and reads its result (Xvfb, xdotool, ImageMagick,
# Tesseract).
WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix qt6-base-dev-tools qt6-documentation-tools dpkg-dev patch googletest
  wine64 procps nsis fonts-liberation xvfb xauth xdotool imagemagick
  tesseract-ocr tesseract-ocr-eng
)

# Everything the build root of RELEASE holds: what its builds, tests and .deb
# check need, and the Windows build's needs in the release that builds it.
release_packages() {
  printf '%s\n' "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${DEB_CHECK_PACKAGES[@]}" locales
  [ "$1" != "$WINDOWS_RELEASE" ] || printf '%s\n' "${WINDOWS_PACKAGES[@]}"
}
