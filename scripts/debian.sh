#!/usr/bin/env bash
# Quorvel as Debian builds and checks it, with Debian's own tools:
#   the source package, made from the checkout's files (debian/ and an
#   upstream tarball);
#   for each release (default: Debian 12 and 13), the binary package built
#   by sbuild in a clean chroot of the release, which runs every test under
#   the release's Qt, again under a decimal comma, then the release's own
#   lintian (no error, no warning); its version marks the release
#   (1.0.0-1~deb12u1);
#   piuparts in a clean chroot of the release: installed, removed and
#   purged, with nothing left behind;
#   autopkgtest: debian/tests against the installed package in a clean
#   chroot of the release, which opens its window as a user would;
#   for this machine's release, reprotest: built twice with another build
#   path, time, user, locale and more, the .deb must be the same to the byte.
# The chroots come from tarballs that mmdebstrap makes from the mirrors this
# machine's apt uses, kept in ~/.cache/quorvel/debian and made again once a
# week; each build and test brings its chroot up to date with apt. sbuild and
# autopkgtest run unprivileged, in user namespaces; piuparts needs root, or
# sudo.
# Results, with the logs, in build-debian/RELEASE/.
# Usage: scripts/debian.sh [RELEASE...]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages "${DEBIAN_PACKAGES[@]}"
[ $# -gt 0 ] || set -- "${DEBIAN_RELEASES[@]}"

out=$PWD/build-debian
tarballs=$QUORVEL_CACHE/debian
mkdir -p "$out" "$tarballs"
version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
# Every file of a package carries the time of its changelog's last entry.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -S Timestamp)
export SOURCE_DATE_EPOCH

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# sbuild's and autopkgtest's user namespaces map the chroot's users onto a
# range of subordinate ids of the calling user, which root has none of until
# it is given one, past every range given so far.
ensure_subordinate_ids() {
  local user first
  user=$(id -un)
  if ! grep -qs "^$user:" /etc/subuid || ! grep -qs "^$user:" /etc/subgid; then
    first=$(cat /etc/subuid /etc/subgid 2>/dev/null |
      awk -F: '{ if ($2 + $3 > last) last = $2 + $3 } END { print (last > 1000000 ? last : 1000000) }')
    echo "giving $user the subordinate user and group ids $first to $((first + 65535))"
    as_root usermod --add-subuids "$first-$((first + 65535))" \
      --add-subgids "$first-$((first + 65535))" "$user"
  fi
}

# The tarball of a chroot of RELEASE of the VARIANT (buildd for sbuild,
# minbase for the installed package), made if it is missing or a week old;
# gzip, which piuparts takes.
tarball() {
  local release=$1 variant=$2 file sources
  file=$tarballs/$release-$variant.tar.gz
  if [ ! -f "$file" ] || [ -n "$(find "$file" -mtime +6)" ]; then
    rm -rf "$file"
    echo "making the Debian $release chroot ($variant) in $file" >&2
    # apt-utils lets autopkgtest set up its own repository of the packages.
    mapfile -t sources < <(release_sources "$release")
    mmdebstrap --quiet --variant="$variant" --include=apt-utils \
      "$release" "${file%.tar.gz}.new.tar.gz" "${sources[@]}" >&2
    mv "${file%.tar.gz}.new.tar.gz" "$file"
  fi
  echo "$file"
}

# The source package: the upstream tarball of every file git knows in the
# checkout but debian/, as it stands now, and debian/ beside it.
step "the source package quorvel $version"
rm -rf "$out/source"
mkdir -p "$out/source/quorvel-$upstream"
{ git ls-files -z --cached --others --exclude-standard -- . ':!debian' |
  while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done; } |
  tar --null -T - --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner \
    --mode=go=rX,u+rw,a-s --transform="s|^|quorvel-$upstream/|" -cf - |
  xz -9 > "$out/source/quorvel_$upstream.orig.tar.xz"
tar -xJf "$out/source/quorvel_$upstream.orig.tar.xz" -C "$out/source"
cp -r debian "$out/source/quorvel-$upstream/"
(cd "$out/source" && dpkg-source --build "quorvel-$upstream" >/dev/null)
dsc=$out/source/quorvel_$version.dsc
echo "$dsc"

ensure_subordinate_ids
for release in "$@"; do
  number=${DEBIAN_NUMBERS[$release]:?no Debian number known for $release}
  results=$out/$release
  rm -rf "$results"
  mkdir -p "$results"
  buildd=$(tarball "$release" buildd)
  minbase=$(tarball "$release" minbase)

  step "Debian $number ($release): built by sbuild, tested, lintian"
  # The release in the version, as Debian marks a package rebuilt for one; the
  # changelog entry that says so is dated a second after the source's last:
  # Debian 13's sbuild writes it into the package's changelog, where lintian
  # wants each entry newer than the one before.
  sbuild --chroot-mode=unshare --chroot="$buildd" --dist="$release" --arch=amd64 \
    --append-to-version="~deb${number}u1" --maintainer="$(dpkg-parsechangelog -S Maintainer)" \
    --binNMU-timestamp="$((SOURCE_DATE_EPOCH + 1))" --apt-update --apt-distupgrade \
    --run-lintian --lintian-opts="--fail-on=error,warning --tag-display-limit=0" \
    --no-run-piuparts --no-run-autopkgtest --build-dir="$results" "$dsc" >/dev/null 2>&1 || true
  log=$results/quorvel_${version}~deb${number}u1_amd64.build
  [ -f "$log" ] || fail "sbuild for $release left no log"
  grep -E '^(Status|Lintian|Build-Time):' "$log"
  grep -qx 'Status: successful' "$log" || { grep -E -B30 '^(E|dpkg-buildpackage): ' "$log" | tail -n 60 >&2; fail "sbuild for $release"; }
  grep -qx 'Lintian: pass' "$log" || { sed -n '/^Running lintian/,/^+---/p' "$log" >&2; fail "lintian for $release"; }
  deb=$(ls "$results"/quorvel_*~deb"${number}"u1_amd64.deb)
  echo "$deb"

  step "Debian $number ($release): piuparts"
  # Debian 13's debconf leaves its own temporary folder behind; piuparts of
  # another release does not know to ignore it.
  # Its chroot is unpacked beside the results, whatever /tmp allows, and
  # keeps the mirrors the tarball was made from.
  as_root piuparts --basetgz="$minbase" --distribution="$release" --tmpdir="$results" --keep-sources-list \
    --ignore=/var/cache/debconf/tmp.ci/ "$deb" > "$results/piuparts.log" 2>&1 ||
    { tail -n 40 "$results/piuparts.log" >&2; fail "piuparts for $release"; }
  tail -n 1 "$results/piuparts.log"

  step "Debian $number ($release): autopkgtest"
  autopkgtest --apt-upgrade --output-dir="$results/autopkgtest" "$dsc" "$deb" \
    -- unshare --tarball="$minbase" --release="$release" > "$results/autopkgtest.log" 2>&1 ||
    { tail -n 40 "$results/autopkgtest.log" >&2; fail "autopkgtest for $release"; }
  sed -n '/@@@@@@@@@@@@@@@@@@@@ summary/,$p' "$results/autopkgtest.log" | tail -n +2
done

own=$(debian_release)
if [[ " $* " == *" $own "* ]]; then
  step "Debian ${DEBIAN_NUMBERS[$own]} ($own): reprotest"
  # Built twice, the second time with another build path, time, user
  # (nobody), locale (et_EE.UTF-8), time zone, umask, home, kernel and CPU
  # count; the tests ran with the sbuild builds. Debian 12's reprotest asks
  # sudo to run on host localhost, which its sudo refuses: a sudo ahead of it
  # in PATH drops that.
  ensure_locale et_EE.UTF-8
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir "$work/bin"
  printf '%s\n' '#!/bin/sh' '[ "$1" = -h ] && [ "$2" = localhost ] && shift 2' \
    'exec /usr/bin/sudo "$@"' > "$work/bin/sudo"
  chmod +x "$work/bin/sudo"
  rm -rf "$out/reprotest"
  PATH=$work/bin:$PATH DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck reprotest --store-dir="$out/reprotest" \
    --vary=-domain_host,-fileordering,user_group.available+=nobody:nogroup "$dsc" -- null \
    > "$out/reprotest.log" 2>&1 || { tail -n 40 "$out/reprotest.log" >&2; fail "reprotest: the .deb differs between builds (diffoscope's report is in $out/reprotest)"; }
  grep -A3 '^Reproduction successful' "$out/reprotest.log" | grep -v '^='
fi
