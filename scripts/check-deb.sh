#!/usr/bin/env bash
# Builds the release and its .deb, then checks the package as Debian and a user
# would take it:
#   lintian: no error and no warning;
#   the control fields and the files it holds;
#   installed with apt-get install --no-install-recommends into a clean Debian
#   root (debootstrap --variant=minbase, from the mirror this machine's apt
#   uses), its program started there on a private Xvfb must open its window
#   with every box showing its start-up number and 1103 as the result (read
#   off the screen; build-release/deb-clean-root.png shows it), and apt-get
#   remove must take it away again.
# Whatever happens, the program, the X server, the mounts and the clean root
# this script made are gone when it ends. The clean root needs root, or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
. scripts/xvfb.sh
. scripts/screen.sh

work=$(mktemp -d)
root=$work/root
program=
proc_mounted=
cleanup() {
  set +e
  [ -n "$program" ] && as_root kill "$program" 2>/dev/null
  [ -n "$proc_mounted" ] && as_root umount "$root/proc"
  stop_private_xvfb
  # The root's own files belong to root; nothing of the host is mounted in it now.
  if ! mountpoint -q "$root/proc" 2>/dev/null; then
    as_root rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

cmake --preset release
cmake --build --preset release
rm -f build-release/quorvel_*.deb
(cd build-release && cpack -G DEB)
deb=$(ls build-release/quorvel_*.deb)
echo "package: $deb"

echo "== lintian"
# Lintian leaves a database file in TMPDIR; it goes with the work folder.
TMPDIR=$work lintian --tag-display-limit 0 "$deb" 2>&1 | tee "$work/lintian.txt" | grep -v '^running with root privileges' || true
! grep -Eq '^(E|W): ' "$work/lintian.txt" || fail "lintian reports errors or warnings"
echo "lintian: no error, no warning"

dpkg-deb --info "$deb" | tee build-release/deb-info.txt
dpkg-deb --contents "$deb" | awk '{print $6}' > build-release/deb-contents.txt
for field in 'Package: quorvel' 'Version: 1.0.0' 'Section: video' 'Depends: .*fonts-liberation' \
  'Depends: .*libqt6widgets6'; do
  grep -Eq "^ $field" build-release/deb-info.txt || fail "missing in control: $field"
done
for path in ./usr/bin/quorvel ./usr/share/applications/org.example.Quorvel.desktop \
  ./usr/share/metainfo/org.example.Quorvel.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.example.Quorvel.svg \
  ./usr/share/icons/hicolor/16x16/apps/org.example.Quorvel.png \
  ./usr/share/icons/hicolor/256x256/apps/org.example.Quorvel.png \
  ./usr/share/doc/quorvel/copyright ./usr/share/doc/quorvel/changelog.gz \
  ./usr/share/man/man1/quorvel.1.gz; do
  grep -qx "$path" build-release/deb-contents.txt || fail "missing in package: $path"
done

echo "== installed into a clean Debian root"
started=$(date +%s)
read -r mirror suite _ < <(debian_mirror_of libqt6widgets6)
[ -n "$mirror" ] || fail "no Debian mirror found that serves libqt6widgets6"
as_root debootstrap --variant=minbase "$suite" "$root" "$mirror" > "$work/debootstrap.log" 2>&1 ||
  { tail -n 20 "$work/debootstrap.log" >&2; fail "debootstrap $suite from $mirror"; }
as_root cp /etc/resolv.conf "$root/etc/resolv.conf"
as_root cp "$deb" "$root/tmp/quorvel.deb"
as_root mount -t proc proc "$root/proc"
proc_mounted=1
in_root() { as_root chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
in_root apt-get update -q > "$work/apt.log" 2>&1 || { tail -n 20 "$work/apt.log" >&2; fail "apt-get update in the clean root"; }
in_root apt-get install -y -q --no-install-recommends /tmp/quorvel.deb > "$work/apt.log" 2>&1 ||
  { tail -n 20 "$work/apt.log" >&2; fail "apt-get install of the package in the clean root"; }
echo "installed with $(grep -c '^Setting up' "$work/apt.log") packages in $(($(date +%s) - started)) s"

start_private_xvfb
# The X server's socket is an abstract one, which the root shares with the host.
as_root chroot "$root" env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb \
  XDG_RUNTIME_DIR=/tmp HOME=/root /usr/bin/quorvel > "$work/program.log" 2>&1 &
program=$!
window=$(wait_for_window "$program") || { cat "$work/program.log" >&2; fail "the installed program"; }
expect_start_up "$window" || fail "the installed program's start-up values"
import -window "$window" build-release/deb-clean-root.png
echo "the installed program opened its window: every box and 1103 (build-release/deb-clean-root.png)"
as_root kill "$program"
wait "$program" 2>/dev/null || true
program=

in_root apt-get remove -y -q quorvel > "$work/apt.log" 2>&1 ||
  { tail -n 20 "$work/apt.log" >&2; fail "apt-get remove quorvel"; }
[ ! -e "$root/usr/bin/quorvel" ] || fail "apt-get remove left /usr/bin/quorvel"
status=$(in_root dpkg-query -W -f '${Status}' quorvel 2>/dev/null || true)
[ "$status" != "install ok installed" ] || fail "quorvel is still installed"
echo "removed again; the clean root took $(($(date +%s) - started)) s in all"
