#!/usr/bin/env bash
# Runs COMMAND as the calling user in a tree of a Debian release, for what
# needs that release's own packages: made once by mmdebstrap, as root, in
# /var/cache/quorvel/trees/RELEASE; brought up to date each time it is entered;
# the checkout and ~/.cache/quorvel at their own paths, in a home and a /tmp of
# its own (docs/debian.md). Making and updating it needs root, or sudo.
# Usage: scripts/in-release.sh RELEASE COMMAND [ARG...]
set -euo pipefail
checkout=$(dirname "$(dirname "$(readlink -f "$0")")")
. "$checkout/scripts/packages.sh"
[ $# -ge 2 ] || { echo "usage: $0 RELEASE COMMAND [ARG...]" >&2; exit 2; }
release=$1
shift
known_release "$release"
ensure_packages mmdebstrap bubblewrap
tree=$QUORVEL_TREES/$release
packages=("${WINDOWS_PACKAGES[@]}" "${SCREEN_PACKAGES[@]}" "${SCREEN_READER_PACKAGES[@]}"
  locales ca-certificates git)
mapfile -t sources < <(release_sources "$release")

enter=(bwrap --bind "$tree" / --dev /dev --proc /proc --perms 1777 --tmpfs /tmp --ro-bind /sys /sys
  --ro-bind /etc/resolv.conf /etc/resolv.conf --unshare-pid --die-with-parent)

if [ ! -f "$tree.made" ]; then
  echo "making a Debian $release tree in $tree"
  as_root rm -rf --one-file-system "$tree"
  as_root mkdir -p "$QUORVEL_TREES"
  # Debian's sources beside its packages, as the Windows build takes Qt's
  # source, and their lists kept (mmdebstrap removes the lists it read); a
  # locale with a decimal comma for the tests.
  # shellcheck disable=SC2016 # the hooks' $1, the tree, is mmdebstrap's
  as_root mmdebstrap --quiet --variant=apt --skip=cleanup/apt/lists \
    --include="$(IFS=,; echo "${packages[*]}")" \
    --customize-hook='sed -n "s/^deb /deb-src /p" "$1/etc/apt/sources.list" > "$1/etc/apt/sources.list.d/sources.list"' \
    --customize-hook='chroot "$1" localedef -i de_DE -f UTF-8 de_DE.UTF-8' \
    --customize-hook='chroot "$1" apt-get update -q' "$release" "$tree" "${sources[@]}"
  as_root touch "$tree.made"
fi

echo "bringing the Debian $release tree in $tree up to date"
mkdir -p "$QUORVEL_CACHE"
log=$QUORVEL_CACHE/tree-$release.apt.log
# shellcheck disable=SC2016 # "$@" is the packages, in the tree's shell
as_root "${enter[@]}" --ro-bind "$checkout/debian" /tmp/quorvel/debian \
  env DEBIAN_FRONTEND=noninteractive sh -c 'set -e
    apt="apt-get -y -q -o DPkg::Lock::Timeout=600 --no-install-recommends"
    dpkg --configure -a
    apt-get -q -o DPkg::Lock::Timeout=600 update
    $apt -f install
    $apt full-upgrade
    $apt install "$@"
    $apt build-dep /tmp/quorvel/' apt "${packages[@]}" > "$log" 2>&1 ||
  { tail -n 20 "$log" >&2; exit 1; }

# The mount points of the checkout, the cache and the home, in the tree.
as_root mkdir -p "$tree$checkout" "$tree$QUORVEL_CACHE" "$tree$HOME"
# Builds made there are marked with the release's number (build-deb13-release),
# beside this machine's own.
exec "${enter[@]}" --tmpfs "$HOME" --bind "$checkout" "$checkout" \
  --bind "$QUORVEL_CACHE" "$QUORVEL_CACHE" --setenv HOME "$HOME" --setenv QUORVEL_TREE "$release" \
  --setenv QUORVEL_BUILD_TAG "-deb${DEBIAN_NUMBERS[$release]}" --chdir "$PWD" "$@"
