#!/usr/bin/env bash
# Makes the source package of the checkout as it stands in OUT (default
# build-debian/source) and prints its .dsc. It holds every file git would
# commit, committed or not, and nothing git ignores (an in-tree build's
# leftovers among it): the upstream tarball all of them but debian/, and
# debian/ beside it, every file dated by the changelog's last entry.
# Usage: scripts/source-package.sh [OUT]
set -euo pipefail
self=$(readlink -f "$0")
out=$(realpath -m "${1:-$(dirname "$self")/../build-debian/source}")
cd "$(dirname "$self")/.."
version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -S Timestamp)
export SOURCE_DATE_EPOCH

rm -rf "$out"
mkdir -p "$out/quorvel-$upstream"
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
  tar --null -T - -cf - | tar -xf - -C "$out/quorvel-$upstream"
(cd "$out" && tar --exclude="quorvel-$upstream/debian" --sort=name --mtime="@$SOURCE_DATE_EPOCH" \
  --owner=0 --group=0 --numeric-owner --mode=go=rX,u+rw,a-s -cf - "quorvel-$upstream" |
  xz -9 > "quorvel_$upstream.orig.tar.xz")
(cd "$out" && dpkg-source --build "quorvel-$upstream" >/dev/null)
echo "$out/quorvel_$version.dsc"
