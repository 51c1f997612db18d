#!/usr/bin/env bash
# The mirrors a tree or a tarball of another release is made from are the ones
# this machine's apt takes its own release from, as apt reads its sources: a
# paragraph of comments alone is no entry, and each suite keeps its own mirror.
set -euo pipefail
. "$1/scripts/packages.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
own=$(debian_release)
mkdir -p "$work/sources" "$work/lists"
cat > "$work/apt.conf" <<CONF
Dir::Etc::sourcelist "/dev/null";
Dir::Etc::sourceparts "$work/sources";
Dir::State::lists "$work/lists";
CONF
export APT_CONFIG=$work/apt.conf

failed=0
expect() {
  local got
  got=$(release_sources other)
  if [ "$got" != "$1" ]; then
    printf 'release_sources other, %s:\n  expected: %s\n  got:      %s\n' "$2" "${1//$'\n'/ | }" "${got//$'\n'/ | }" >&2
    failed=1
  fi
}

expect "" "where apt names no mirror (mmdebstrap's own are used)"

cat > "$work/sources/debian.sources" <<SOURCES
# Types: deb
# URIs: http://commented.example/debian
# Suites: $own

Types: deb
URIs: http://mirror.example/debian
Suites: $own $own-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://security.example/debian-security
Suites: $own-security
Components: main
SOURCES
echo "deb http://elsewhere.example/debian unrelated main" > "$work/sources/unrelated.list"
expect "deb http://mirror.example/debian/ other main
deb http://mirror.example/debian/ other-updates main
deb http://security.example/debian-security/ other-security main" "from a deb822 file whose first paragraph is comments"

exit "$failed"
