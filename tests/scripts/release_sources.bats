#!/usr/bin/env bats
# The mirrors another release's trees and chroots are made from are those this
# machine's apt takes its own release from, as apt read them: the ones Debian
# made, found by their release's code name.

setup() {
  # shellcheck source=helpers.bash
  . "$BATS_TEST_DIRNAME/helpers.bash"
  . "$root/scripts/packages.sh"
  own=$(debian_release)
  work=$BATS_TEST_TMPDIR
  mkdir -p "$work/sources" "$work/lists"
  printf '%s\n' 'Dir::Etc::sourcelist "/dev/null";' "Dir::Etc::sourceparts \"$work/sources\";" \
    "Dir::State::lists \"$work/lists\";" > "$work/apt.conf"
  export APT_CONFIG=$work/apt.conf
}

# What apt keeps of a repository it has read: URI SUITE's Release file, made
# by ORIGIN for the release CODENAME, and its list of packages.
read_by_apt() {
  local list
  list=$(sed -E 's|^[a-z]+://||; s|/$||; s|/|_|g' <<< "$1")_dists_$2
  printf 'Origin: %s\nLabel: %s\nSuite: %s\nCodename: %s\n' "$3" "$3" "$2" "$4" \
    > "$work/lists/${list}_InRelease"
  : > "$work/lists/${list}_main_binary-$(dpkg --print-architecture)_Packages"
}

@test "where apt knows no mirror of Debian's, none: mmdebstrap then takes Debian's own" {
  run release_sources other
  [ "$status" -eq 0 ]
  [ -z "$output" ]
}

@test "Debian's mirrors, by code name or by suite, and no vendor's suite named after the release" {
  # A vendor's repository first, with a suite named after this release.
  echo "deb https://packages.example.com/repos/tool/ $own main" > "$work/sources/0-vendor.list"
  read_by_apt https://packages.example.com/repos/tool/ "$own" Example "$own"
  # Debian's, its suites by their names (stable), in a file whose first
  # paragraph is comments alone.
  cat > "$work/sources/debian.sources" <<SOURCES
# Types: deb
# URIs: http://commented.example/debian
# Suites: $own

Types: deb
URIs: http://mirror.example/debian
Suites: stable stable-updates
Components: main contrib

Types: deb
URIs: http://security.example/debian-security
Suites: stable-security
Components: main
SOURCES
  read_by_apt http://mirror.example/debian stable Debian "$own"
  read_by_apt http://mirror.example/debian stable-updates Debian "$own-updates"
  read_by_apt http://security.example/debian-security stable-security Debian "$own-security"
  run release_sources other
  [ "$status" -eq 0 ]
  [ "$output" = "deb http://mirror.example/debian/ other main
deb http://mirror.example/debian/ other-updates main
deb http://security.example/debian-security/ other-security main" ]
}
