# shellcheck shell=bash
# Qt and GoogleTest for Windows. Qt is cross-built with MinGW-w64 from Debian's
# own qt6-base source (the same version as this release's Qt, whose moc, rcc
# and uic it uses), trimmed to what the program and its tests need. Built once
# per machine and kept under ~/.cache, in a folder named by the full Debian
# version of that source and a digest of how it was configured and changed.
# Sourced by scripts/windows.sh after scripts/packages.sh; windows_qt_prefix
# prints the folder of the installed Qt.


# The attributions (qt_attribution.json) of Qt's code and of the third-party
# code inside Qt that goes into the libraries and plugins the Windows program
# links, by their folders in Qt's source.
WINDOWS_QT_ATTRIBUTIONS=(
  src/corelib/text src/gui/painting src/gui/rhi src/gui/text
  src/3rdparty/blake2 src/3rdparty/D3D12MemoryAllocator src/3rdparty/double-conversion
  src/3rdparty/easing src/3rdparty/freetype src/3rdparty/harfbuzz-ng src/3rdparty/icc
  src/3rdparty/libpng src/3rdparty/md4 src/3rdparty/md5 src/3rdparty/pcre2
  src/3rdparty/rfc6234 src/3rdparty/sha1 src/3rdparty/sha3 src/3rdparty/siphash
  src/3rdparty/tinycbor src/3rdparty/zlib
)

# How Qt is configured, and the one change the build makes to Debian's source
# of Qt, as a patch.
WINDOWS_QT_CONFIGURE=cmake/windows-qt/configure.cmake
WINDOWS_QT_PATCH=cmake/windows-qt/qt6-base.patch

# Keeps what the program's notices need of Qt's source, which is not kept:
# the attributions scanned by Qt's own qtattributionsscanner, each licence text
# they name (licenses/ID.txt), Qt's own licences, the Debian source package
# and version (source.txt), the Debian release it comes from (release.txt)
# and the change made to it (change.txt), in DIR.
windows_qt_keep_notices() {
  local source=$1 dir=$2 version=$3 scanner=/usr/lib/qt6/libexec/qtattributionsscanner folder
  mkdir -p "$dir/licenses"
  echo "qt6-base $version" > "$dir/source.txt"
  (. /etc/os-release && echo "$PRETTY_NAME") > "$dir/release.txt"
  cp "$WINDOWS_QT_PATCH" "$dir/change.txt"
  for folder in "${WINDOWS_QT_ATTRIBUTIONS[@]}"; do
    "$scanner" --output-format json -s -o "$dir/${folder//\//-}.json" "$source/$folder"
  done
  awk -F'"' '$2 == "Id" { id = $4 } $2 == "LicenseFile" && $4 != "" { print id, $4 }' \
    "$dir"/*.json | while read -r id file; do cp "$file" "$dir/licenses/$id.txt"; done
  cp "$source/LICENSES/LGPL-3.0-only.txt" "$source/LICENSES/GPL-3.0-only.txt" "$dir/licenses/"
}

# Downloads Debian's source of this release's Qt (VERSION) into the current
# folder, from the source lines of this release's apt.
windows_qt_fetch_source() {
  apt-get source --download-only -q "qt6-base=$1"
}

# The folder is named by the full Debian version of the source, its revision
# included, so that a security update of qt6-base builds Qt again, and by a
# digest of the configure flags, the attributions kept, the change made to the
# source and the toolchain file.
windows_qt_prefix() {
  local version digest
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
  digest=$( {
    printf '%s\n' "${WINDOWS_QT_ATTRIBUTIONS[@]}"
    cat "$WINDOWS_QT_CONFIGURE" "$WINDOWS_QT_PATCH" cmake/toolchains/mingw-w64-x86_64.cmake
  } | sha256sum | cut -c1-12)
  echo "${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/qt-$version-mingw-w64-$digest"
}

# Builds and installs Qt into windows_qt_prefix unless it is there already. A
# build that was cut short goes on where it stopped.
windows_qt_ensure() {
  local prefix version work
  prefix=$(windows_qt_prefix)
  if [ -f "$prefix/.complete" ]; then
    echo "Qt for Windows: $prefix (cached)"
    return 0
  fi
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
  work=$prefix.work
  if [ ! -f "$work/build/build.ninja" ]; then
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    (cd "$work" && windows_qt_fetch_source "$version" &&
      dpkg-source --no-check -x qt6-base_*.dsc source >/dev/null)
    patch -d "$work/source" -p1 --forward --quiet < "$WINDOWS_QT_PATCH"
    cmake -S "$work/source" -B "$work/build" -G Ninja -C "$PWD/$WINDOWS_QT_CONFIGURE" \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-w64-x86_64.cmake" \
      -DQT_HOST_PATH=/usr \
      -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(gcc -print-multiarch)/cmake" \
      -DCMAKE_INSTALL_PREFIX="$prefix" > "$work/configure.log"
  fi
  echo "building Qt $version for Windows in $work (about 20 minutes on 2 cores)"
  cmake --build "$work/build" --parallel "$(nproc)" > "$work/build.log" ||
    { tail -n 40 "$work/build.log" >&2; return 1; }
  cmake --install "$work/build" > "$work/install.log"
  # Qt's toolchain file for projects built against it loads ours; keep a copy
  # beside it, so that it does not depend on where this checkout stands.
  local qt_cmake=$prefix/lib/cmake/Qt6
  cp cmake/toolchains/mingw-w64-x86_64.cmake "$qt_cmake/quorvel-mingw-w64-x86_64.cmake"
  sed -i "s|\"[^\"]*/cmake/toolchains/mingw-w64-x86_64.cmake\"|\"$qt_cmake/quorvel-mingw-w64-x86_64.cmake\"|" \
    "$qt_cmake/qt.toolchain.cmake"
  grep -q "$qt_cmake/quorvel-mingw-w64-x86_64.cmake" "$qt_cmake/qt.toolchain.cmake"
  windows_qt_keep_notices "$work/source" "$prefix/share/quorvel-notices" "$version"
  touch "$prefix/.complete"
  rm -rf "$work"
}

# GoogleTest for the Windows tests, from Debian's own source of it.
windows_gtest_prefix() {
  local version
  version=$(dpkg-query -W -f='${Version}' googletest)
  echo "${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/googletest-${version}-mingw-w64"
}

windows_gtest_ensure() {
  local prefix
  prefix=$(windows_gtest_prefix)
  [ -f "$prefix/.complete" ] && return 0
  rm -rf "$prefix" "$prefix.work"
  cmake -S /usr/src/googletest -B "$prefix.work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" > /dev/null
  cmake --build "$prefix.work" > /dev/null
  cmake --install "$prefix.work" > /dev/null
  touch "$prefix/.complete"
  rm -rf "$prefix.work"
}
