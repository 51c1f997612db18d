#!/usr/bin/env bash
# Runs a command in a tree of a Debian release, for the builds and checks
# that need that release's own packages (the Windows program needs
# Debian 13's Qt source, MinGW-w64 and Wine):
#   scripts/in-release.sh RELEASE COMMAND [ARG...]
# The tree is made once by mmdebstrap, from the mirrors this machine's apt
# uses, with every package the project's scripts need there, kept in
# ~/.cache/quorvel/trees/RELEASE, and brought up to date with apt each time it
# is entered. bubblewrap runs COMMAND in it as the calling user, from the
# current folder, with the checkout and ~/.cache/quorvel at their own paths
# and a /tmp of its own; when COMMAND ends, every process it started has
# ended. Making and updating the tree needs root, or sudo.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)
. "$checkout/scripts/packages.sh"
[ $# -ge 2 ] || { echo "usage: $0 RELEASE COMMAND [ARG...]" >&2; exit 2; }
release=$1
shift
ensure_packages mmdebstrap bubblewrap
tree=$QUORVEL_CACHE/trees/$release
mapfile -t packages < <(release_tree_packages)
mapfile -t sources < <(release_sources "$release")

# What each entry into the tree shares with the machine.
enter=(bwrap --bind "$tree" / --dev /dev --proc /proc --perms 1777 --tmpfs /tmp --ro-bind /sys /sys
  --ro-bind /etc/resolv.conf /etc/resolv.conf --unshare-pid --die-with-parent)

if [ ! -f "$tree.made" ]; then
  echo "making a Debian $release tree in $tree"
  as_root rm -rf --one-file-system "$tree"
  mkdir -p "$(dirname "$tree")"
  # Debian's sources beside its packages, as the Windows build takes Qt's
  # source, and their lists kept (mmdebstrap removes the lists it read);
  # a locale with a decimal comma for the tests.
  as_root mmdebstrap --quiet --variant=apt --skip=cleanup/apt/lists \
    --include="$(IFS=,; echo "${packages[*]}")" \
    --customize-hook='sed -n "s/^deb /deb-src /p" "$1/etc/apt/sources.list" > "$1/etc/apt/sources.list.d/sources.list"' \
    --customize-hook='chroot "$1" localedef -i de_DE -f UTF-8 de_DE.UTF-8' \
    --customize-hook='chroot "$1" apt-get update -q' "$release" "$tree" "${sources[@]}"
  touch "$tree.made"
else
  echo "bringing the Debian $release tree in $tree up to date"
  as_root "${enter[@]}" env DEBIAN_FRONTEND=noninteractive sh -c \
    'apt-get update -q && apt-get full-upgrade -y -q && apt-get install -y -q --no-install-recommends "$@"' \
    apt "${packages[@]}" > "$tree.apt.log" 2>&1 || { tail -n 20 "$tree.apt.log" >&2; exit 1; }
fi

mkdir -p "$QUORVEL_CACHE"
# The checkout and the cache are mounted at their own paths, in a home of the
# calling user's.
as_root install -d -o "$(id -u)" -g "$(id -g)" "$tree$HOME"
as_root mkdir -p "$tree$checkout" "$tree$QUORVEL_CACHE"
# Builds made there are marked with the release's number (build-deb13-release),
# beside this machine's own.
exec "${enter[@]}" --bind "$checkout" "$checkout" --bind "$QUORVEL_CACHE" "$QUORVEL_CACHE" \
  --setenv HOME "$HOME" --setenv QUORVEL_TREE "$release" --setenv QUORVEL_BUILD_TAG "-deb${DEBIAN_NUMBERS[$release]}" \
  --chdir "$PWD" "$@"
