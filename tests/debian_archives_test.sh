#!/usr/bin/env bash
# The Debian archives the scripts take from this machine's apt, with apt
# stubbed to list its entries as a machine with security and point-release
# updates installed does, the security suite first: the release itself comes
# first all the same, and another release's sources keep each mirror and key.
# Usage: debian_archives_test.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
source_dir=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/bin"
trap 'rm -rf "$scratch"' EXIT
. "$source_dir/scripts/packages.sh"
own=$(debian_release)

cat > "$scratch/debian.sources" <<SOURCES
Types: deb
URIs: http://mirror.example/debian
Suites: $own $own-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://security.example/debian-security
Suites: $own-security
Components: main
Signed-By: /usr/share/keyrings/security.gpg
SOURCES
cat > "$scratch/bin/apt-get" <<STUB
#!/bin/sh
# apt-get indextargets, as the stubbed machine answers it.
cat <<'LIST'
http://security.example/debian-security/ $own-security Debian $scratch/debian.sources:2
http://mirror.example/debian/ $own-updates Debian $scratch/debian.sources:1
http://other.example/apt/ stable Other $scratch/debian.sources:1
http://mirror.example/debian/ $own Debian $scratch/debian.sources:1
http://mirror.example/debian/ $own Debian $scratch/debian.sources:1
LIST
STUB
chmod +x "$scratch/bin/apt-get"
PATH=$scratch/bin:$PATH

fail() {
  echo "FAILED: $*"
  echo "got:"
  echo "$1"
  exit 1
}

archives=$(debian_archives)
expected="http://mirror.example/debian/ $own /usr/share/keyrings/debian-archive-keyring.gpg
http://mirror.example/debian/ $own-updates /usr/share/keyrings/debian-archive-keyring.gpg
http://security.example/debian-security/ $own-security /usr/share/keyrings/security.gpg"
[ "$archives" = "$expected" ] || fail "$archives" "the release first, then its updates and security"

sources=$(debian_sources_for deb-src forky)
expected="deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://mirror.example/debian/ forky main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://mirror.example/debian/ forky-updates main
deb-src [signed-by=/usr/share/keyrings/security.gpg] http://security.example/debian-security/ forky-security main"
[ "$sources" = "$expected" ] || fail "$sources" "another release's sources from the same mirrors"

read -r mirror suite _ <<< "$(debian_archives | head -n 1)"
[ "$mirror $suite" = "http://mirror.example/debian/ $own" ] || fail "$mirror $suite" "debootstrap's mirror and suite"
echo "the release first, its updates and security after it; another release from the same mirrors"
