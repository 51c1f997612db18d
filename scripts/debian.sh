#!/usr/bin/env bash
# Quorvel as Debian builds and checks it, for each RELEASE (default: Debian 12
# and 13), with Debian's own tools: the source package of the checkout as it
# stands; sbuild, whose build runs every test, then lintian, piuparts and
# autopkgtest, in clean chroots of the release; for this machine's release,
# reprotest. Results and logs in build-debian/RELEASE/; docs/debian.md says
# more.
# Usage: scripts/debian.sh [RELEASE...]
set -euo pipefail
self=$(readlink -f "$0")
cd "$(dirname "$self")/.."
. scripts/packages.sh
[ $# -gt 0 ] || set -- "${DEBIAN_RELEASES[@]}"
for release in "$@"; do known_release "$release"; done
ensure_packages "${DEBIAN_PACKAGES[@]}"
# reprotest builds on this machine.
ensure_build_deps

arch=$(dpkg --print-architecture)
out=$PWD/build-debian
tarballs=$QUORVEL_CACHE/debian
mkdir -p "$out" "$tarballs"
version=$(dpkg-parsechangelog -S Version)
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

# Makes FILE, the tarball of a chroot of RELEASE of the VARIANT (buildd for
# sbuild, minbase with apt-utils, which autopkgtest sets up its repository
# with, for piuparts and autopkgtest), where it is missing or a week old. It is
# made beside it and takes its place once whole: a run cut short leaves the
# tarball there was.
ensure_tarball() {
  local file=$1 release=$2 variant=$3 new=${1%.tar.gz}.new.tar.gz sources
  if [ -f "$file" ] && [ -z "$(find "$file" -mtime +6)" ]; then return 0; fi
  echo "making the Debian $release chroot ($variant) in $file"
  rm -f "$new"
  mapfile -t sources < <(release_sources "$release")
  mmdebstrap --quiet --variant="$variant" --include=apt-utils "$release" "$new" "${sources[@]}" ||
    fail "mmdebstrap could not make the $release chroot ($variant)"
  mv "$new" "$file"
}

step "the source package quorvel $version"
dsc=$(scripts/source-package.sh "$out/source")
echo "$dsc"

ensure_subordinate_ids
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A Perl list of the arguments, for sbuild's configuration.
perl_list() {
  local arg list=
  for arg; do
    arg=${arg//\\/\\\\}
    list+="'${arg//\'/\\\'}', "
  done
  echo "[$list]"
}

# piuparts runs as root: through sudo where the caller is not root, else with
# the system's commands on its PATH, as sudo would give it.
piuparts_as_root=(sudo --)
[ "$(id -u)" -ne 0 ] || piuparts_as_root=(env PATH=/usr/sbin:/usr/bin:/sbin:/bin)
# lintian shows every tag, and any fails the build but two that do not apply
# here: Quorvel is not in Debian's archive, so no bug asks for its first
# upload (and where sbuild writes the rebuild's entry into the package's
# changelog, as Debian 13's does, there is no first upload to see); and the
# package follows the newest policy, which an older release's lintian does not
# know yet.
lintian=('--fail-on=error,warning,info,pedantic' --pedantic --display-info --tag-display-limit=0
  --suppress-tags=initial-upload-closes-no-bugs)

for release in "$@"; do
  number=${DEBIAN_NUMBERS[$release]}
  results=$out/$release
  rm -rf "$results"
  mkdir -p "$results"
  buildd=$tarballs/$release-buildd.tar.gz
  minbase=$tarballs/$release-minbase.tar.gz
  ensure_tarball "$buildd" "$release" buildd
  ensure_tarball "$minbase" "$release" minbase

  step "Debian $number ($release): sbuild, with lintian, piuparts and autopkgtest"
  older=()
  [ "$release" = "${DEBIAN_RELEASES[-1]}" ] || older=(--suppress-tags=newer-standards-version)
  # How sbuild runs the checks, in its configuration, which every sbuild reads
  # alike (Debian 13's adds its own options to those given on its command
  # line). piuparts keeps the chroot's mirrors and unpacks it where devices
  # work (Debian 13's /tmp has none); Debian 13's debconf leaves its own
  # temporary folder behind, which piuparts of another release does not know
  # to ignore. autopkgtest runs unprivileged.
  cat > "$work/sbuild.conf" <<CONF
\$lintian_opts = $(perl_list "${lintian[@]}" "${older[@]}");
\$piuparts_root_args = $(perl_list "${piuparts_as_root[@]}");
\$piuparts_opts = $(perl_list "--basetgz=$minbase" --distribution=%r --keep-sources-list \
  --tmpdir=/var/tmp --ignore=/var/cache/debconf/tmp.ci/);
\$autopkgtest_root_args = [''];
\$autopkgtest_opts = $(perl_list --apt-upgrade "--output-dir=$results/autopkgtest" -- unshare \
  "--tarball=$minbase" --release=%r);
1;
CONF
  # The release in the version, as Debian marks a package rebuilt for one; the
  # changelog entry that says so is dated a second after the source's last:
  # Debian 13's sbuild writes it into the package's changelog, where lintian
  # wants each entry newer than the one before.
  SBUILD_CONFIG=$work/sbuild.conf sbuild --chroot-mode=unshare --chroot="$buildd" --dist="$release" \
    --arch="$arch" --append-to-version="~deb${number}u1" \
    --maintainer="$(dpkg-parsechangelog -S Maintainer)" --binNMU-timestamp="$((SOURCE_DATE_EPOCH + 1))" \
    --apt-update --apt-distupgrade --run-lintian --run-piuparts --run-autopkgtest \
    --build-dir="$results" "$dsc" >/dev/null 2>&1 || true
  log=$results/quorvel_${version}~deb${number}u1_$arch.build
  [ -f "$log" ] || fail "sbuild for $release left no log"
  grep -E '^(Status|Lintian|Piuparts|Autopkgtest|Build-Time):' "$log"
  grep -qx 'Status: successful' "$log" ||
    { grep -E -B30 '^(E|dpkg-buildpackage): ' "$log" | tail -n 60 >&2; fail "sbuild for $release"; }
  for check in Lintian Piuparts Autopkgtest; do
    grep -qx "$check: pass" "$log" || { tail -n 60 "$log" >&2; fail "$check for $release ($log)"; }
  done
  ls "$results"/quorvel_*~deb"${number}"u1_"$arch".deb
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
  mkdir "$work/bin"
  # shellcheck disable=SC2016 # the stand-in's own "$1"
  printf '%s\n' '#!/bin/sh' '[ "$1" = -h ] && [ "$2" = localhost ] && shift 2' \
    'exec /usr/bin/sudo "$@"' > "$work/bin/sudo"
  chmod +x "$work/bin/sudo"
  rm -rf "$out/reprotest"
  PATH=$work/bin:$PATH DEB_BUILD_OPTIONS=nocheck DEB_BUILD_PROFILES=nocheck reprotest \
    --store-dir="$out/reprotest" --vary=-domain_host,-fileordering,user_group.available+=nobody:nogroup \
    "$dsc" -- null > "$out/reprotest.log" 2>&1 ||
    { tail -n 40 "$out/reprotest.log" >&2; fail "reprotest: the .deb differs between builds (diffoscope's report is in $out/reprotest)"; }
  grep -A3 '^Reproduction successful' "$out/reprotest.log" | grep -v '^='
fi
