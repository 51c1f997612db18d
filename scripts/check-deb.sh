#!/usr/bin/env bash
# Builds the release and its .deb in the Debian release this runs in (this
# machine's, or the release root of scripts/release-root.sh), so that the
# package depends on that release's libraries and is named for it
# (quorvel_1.0.0-1~deb12u1_amd64.deb), then checks it as Debian and a user
# would take it:
#   lintian, the release's own: no error and no warning;
#   the control fields and the files it holds;
#   installed with apt-get install --no-install-recommends into a clean root
#   of the same release (debootstrap --variant=minbase, from the mirror this
#   machine's apt uses), its program started there on a private Xvfb must
#   open its window with every box showing its start-up number and 1103 as
#   the result (read off the screen; BUILD/deb-clean-root.png shows it), and
#   apt-get remove must take it away again.
# Whatever happens, the program, the X server and the clean root are gone when
# it ends, and no process is left running in the root. Needs root, or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
. scripts/release-root.sh
. scripts/xvfb.sh
. scripts/screen.sh

release=$(debian_release)
build=build${QUORVEL_BUILD_TAG:-}-release
work=$(mktemp -d)
root=$work/root
cleanup() {
  set +e
  stop_in_release_root "$root"
  stop_private_xvfb
  # Every mount of the clean root lived in the namespaces of its commands.
  as_root rm -rf --one-file-system "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

cmake --preset release
cmake --build --preset release
rm -f "$build"/quorvel_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/quorvel_*.deb)
version=$(dpkg-deb --field "$deb" Version)
echo "package: $deb (Debian $release)"
[[ "$version" == *"~deb${DEBIAN_NUMBERS[$release]}u"* ]] || fail "version $version names no Debian ${DEBIAN_NUMBERS[$release]}"

echo "== lintian $(lintian --version | awk '{ print $2 }')"
# Lintian leaves a database file in TMPDIR; it goes with the work folder.
TMPDIR=$work lintian --tag-display-limit 0 "$deb" 2>&1 | tee "$work/lintian.txt" | grep -v '^running with root privileges' || true
! grep -Eq '^(E|W): ' "$work/lintian.txt" || fail "lintian reports errors or warnings"
echo "lintian: no error, no warning"

dpkg-deb --info "$deb" | tee "$build/deb-info.txt"
dpkg-deb --contents "$deb" | awk '{print $6}' > "$build/deb-contents.txt"
for field in 'Package: quorvel' "Version: ${version//./\\.}\$" 'Section: video' \
  'Depends: .*fonts-liberation' 'Depends: .*libqt6widgets6'; do
  grep -Eq "^ $field" "$build/deb-info.txt" || fail "missing in control: $field"
done
for path in ./usr/bin/quorvel ./usr/share/applications/org.example.Quorvel.desktop \
  ./usr/share/metainfo/org.example.Quorvel.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.example.Quorvel.svg \
  ./usr/share/icons/hicolor/16x16/apps/org.example.Quorvel.png \
  ./usr/share/icons/hicolor/256x256/apps/org.example.Quorvel.png \
  ./usr/share/doc/quorvel/copyright ./usr/share/doc/quorvel/changelog.Debian.gz \
  ./usr/share/man/man1/quorvel.1.gz; do
  grep -qx "$path" "$build/deb-contents.txt" || fail "missing in package: $path"
done

echo "== installed into a clean Debian $release root"
started=$(date +%s)
mkdir "$root"
make_release_root "$release" "$root" > /dev/null
as_root cp "$deb" "$root/var/tmp/quorvel.deb"
in_root() { in_release_root_as_root "$root" "$@"; }
in_root sh -c 'apt-get update -q && apt-get install -y -q --no-install-recommends /var/tmp/quorvel.deb' \
  > "$work/apt.log" 2>&1 || { tail -n 20 "$work/apt.log" >&2; fail "apt-get install of the package in the clean root"; }
echo "installed with $(grep -c '^Setting up' "$work/apt.log") packages in $(($(date +%s) - started)) s"

start_private_xvfb
# The X server's socket is an abstract one, which the root shares with the machine.
start_in_release_root_as_root "$root" env DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=/tmp \
  HOME=/root /usr/bin/quorvel > "$work/program.log" 2>&1
window=$(wait_for_window "$RELEASE_ROOT_PID") || { cat "$work/program.log" >&2; fail "the installed program"; }
expect_start_up "$window" || fail "the installed program's start-up values"
import -window "$window" "$build/deb-clean-root.png"
echo "the installed program opened its window: every box and 1103 ($build/deb-clean-root.png)"
stop_in_release_root "$root" || fail "stopping the installed program"
[ -z "$(xdotool search --name '^Quorvel V1\.01$' 2>/dev/null)" ] || fail "the program's window is still there"
echo "the program has ended, and nothing else runs in the clean root"

in_root apt-get remove -y -q quorvel > "$work/apt.log" 2>&1 ||
  { tail -n 20 "$work/apt.log" >&2; fail "apt-get remove quorvel"; }
[ ! -e "$root/usr/bin/quorvel" ] || fail "apt-get remove left /usr/bin/quorvel"
status=$(in_root dpkg-query -W -f '${Status}' quorvel 2>/dev/null || true)
[ "$status" != "install ok installed" ] || fail "quorvel is still installed"
echo "removed again; the clean root took $(($(date +%s) - started)) s in all"
