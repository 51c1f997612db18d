#!/usr/bin/env bash
# Builds the release, packages it as a .deb, checks what the package holds and
# that its program opens the window (under a private Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release
cmake --build --preset release
(cd build-release && cpack -G DEB)
deb=$(ls build-release/quorvel_*.deb)
echo "package: $deb"

dpkg-deb --info "$deb" | tee build-release/deb-info.txt
dpkg-deb --contents "$deb" | awk '{print $6}' | tee build-release/deb-contents.txt
for field in 'Package: quorvel' 'Version: 1.0.0' 'Section: video' 'Depends: .*libqt6widgets6'; do
  grep -Eq "^ $field" build-release/deb-info.txt || { echo "missing in control: $field" >&2; exit 1; }
done
for path in ./usr/bin/quorvel ./usr/share/applications/org.example.Quorvel.desktop \
  ./usr/share/metainfo/org.example.Quorvel.metainfo.xml \
  ./usr/share/icons/hicolor/scalable/apps/org.example.Quorvel.svg \
  ./usr/share/icons/hicolor/16x16/apps/org.example.Quorvel.png \
  ./usr/share/icons/hicolor/256x256/apps/org.example.Quorvel.png; do
  grep -qx "$path" build-release/deb-contents.txt || { echo "missing in package: $path" >&2; exit 1; }
done

root=build-release/deb-root
rm -rf "$root"
dpkg-deb --extract "$deb" "$root"

. scripts/xvfb.sh
start_private_xvfb
xvfb=$XVFB_PID
QT_QPA_PLATFORM=xcb "$root/usr/bin/quorvel" &
program=$!
trap 'kill $program $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  if xdotool search --onlyvisible --name '^Quorvel V1\.01$' >/dev/null 2>&1; then
    echo "the packaged program opened its window"
    exit 0
  fi
  kill -0 $program 2>/dev/null || { echo "the packaged program ended" >&2; exit 1; }
  sleep 0.1
done
echo "the packaged program showed no window" >&2
exit 1
