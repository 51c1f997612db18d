# Qt and GoogleTest for Windows. Qt is cross-built with MinGW-w64 from Debian's
# own qt6-base source (the same version as this release's Qt, whose moc, rcc
# and uic it uses), trimmed to what the program and its tests need. Built once
# per machine and kept under ~/.cache, in a folder named by the full Debian
# version of that source and a digest of how it was configured and changed.
# Sourced by scripts/windows.sh after scripts/packages.sh; windows_qt_prefix
# prints the folder of the installed Qt.

WINDOWS_QT_CONFIGURE=(
  -G Ninja
  -DCMAKE_BUILD_TYPE=Release
  # Static libraries, so that the program is one self-contained executable;
  # every function and datum in a section of its own, so that the linker drops
  # what the program never reaches.
  -DBUILD_SHARED_LIBS=OFF
  # PCRE2 without its just-in-time compiler: the few regular expressions Qt
  # runs here are matched by its interpreter, and no memory is made both
  # writable and executable.
  "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections -DPCRE2_DISABLE_JIT"
  "-DCMAKE_CXX_FLAGS=-ffunction-sections -fdata-sections"
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  # Sources compiled a few dozen to a unit: the build takes half the steps.
  -DQT_UNITY_BUILD=ON
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DINPUT_opengl=no
  -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_testlib_selfcover=OFF
  # Debian's source leaves out the Wacom tablet headers.
  -DFEATURE_tabletevent=OFF
  # What the program, its tests and the platform plugin never use, left out
  # so that the one executable stays small: sizes over speed, and the dialogs,
  # views, document formats and system services of Qt the window has no use for.
  -DFEATURE_optimize_size=ON
  -DFEATURE_mimetype=OFF
  -DFEATURE_xmlstream=OFF
  -DFEATURE_process=OFF
  -DFEATURE_sharedmemory=OFF
  -DFEATURE_systemsemaphore=OFF
  -DFEATURE_islamiccivilcalendar=OFF
  -DFEATURE_jalalicalendar=OFF
  -DFEATURE_pdf=OFF
  -DFEATURE_textodfwriter=OFF
  -DFEATURE_textmarkdownreader=OFF
  -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_movie=OFF
  -DFEATURE_systemtrayicon=OFF
  -DFEATURE_filesystemmodel=OFF
  -DFEATURE_directwrite3=OFF
  -DFEATURE_gif=OFF
  -DFEATURE_ico=OFF
  -DFEATURE_jpeg=OFF
  -DFEATURE_style_stylesheet=OFF
  # The windowsvista style on every Windows: the layout's options and boxes
  # were drawn for it, and Windows 11 would otherwise get the windows11 style.
  -DFEATURE_style_windows11=OFF
  -DFEATURE_style_fusion=OFF
  -DFEATURE_graphicsview=OFF
  -DFEATURE_graphicseffect=OFF
  -DFEATURE_filedialog=OFF
  -DFEATURE_fscompleter=OFF
  -DFEATURE_colordialog=OFF
  -DFEATURE_fontdialog=OFF
  -DFEATURE_fontcombobox=OFF
  -DFEATURE_calendarwidget=OFF
  -DFEATURE_datetimeedit=OFF
  -DFEATURE_columnview=OFF
  -DFEATURE_commandlinkbutton=OFF
  -DFEATURE_datawidgetmapper=OFF
  -DFEATURE_dial=OFF
  -DFEATURE_dockwidget=OFF
  -DFEATURE_errormessage=OFF
  -DFEATURE_keysequenceedit=OFF
  -DFEATURE_lcdnumber=OFF
  -DFEATURE_mdiarea=OFF
  -DFEATURE_progressdialog=OFF
  -DFEATURE_splashscreen=OFF
  -DFEATURE_syntaxhighlighter=OFF
  -DFEATURE_textbrowser=OFF
  -DFEATURE_toolbox=OFF
  -DFEATURE_undoview=OFF
  -DFEATURE_wizard=OFF
  -DFEATURE_listwidget=OFF
  -DFEATURE_tablewidget=OFF
  -DFEATURE_treewidget=OFF
  -DFEATURE_statusbar=OFF
  # Widgets the window has none of, which the style draws and the
  # accessibility describes whenever Qt holds them, so that the executable
  # would carry them all. The windowsvista style itself names tab bars and
  # widgets, tool bars, sliders, spin boxes and item, table and tree views,
  # which stay.
  -DFEATURE_mainwindow=OFF
  -DFEATURE_menubar=OFF
  -DFEATURE_splitter=OFF
  -DFEATURE_progressbar=OFF
  -DFEATURE_combobox=OFF
  -DFEATURE_completer=OFF
  -DFEATURE_scroller=OFF
  -DFEATURE_gestures=OFF
  -DFEATURE_effects=OFF
  -DFEATURE_whatsthis=OFF
  -DFEATURE_standarditemmodel=OFF
  -DFEATURE_proxymodel=OFF
  # Text as HTML and style sheets: every text of the window is plain.
  -DFEATURE_texthtmlparser=OFF
  -DFEATURE_cssparser=OFF
  # Services of Qt's core and of its images that nothing here asks for.
  -DFEATURE_sha3_fast=OFF
  -DFEATURE_sessionmanager=OFF
  -DFEATURE_desktopservices=OFF
  -DFEATURE_undocommand=OFF
  -DFEATURE_translation=OFF
  -DFEATURE_timezone=OFF
  -DFEATURE_datetimeparser=OFF
  -DFEATURE_commandlineparser=OFF
  -DFEATURE_permissions=OFF
  -DFEATURE_future=OFF
  -DFEATURE_picture=OFF
  -DFEATURE_imageformat_ppm=OFF
  -DFEATURE_imageformat_xbm=OFF
  -DFEATURE_raster_fp=OFF
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
)

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

# The one change the build makes to Debian's source of Qt, as a patch.
WINDOWS_QT_PATCH=scripts/qt6-base-windows.patch

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
    printf '%s\n' "${WINDOWS_QT_CONFIGURE[@]}" "${WINDOWS_QT_ATTRIBUTIONS[@]}"
    cat "$WINDOWS_QT_PATCH" cmake/toolchains/mingw-w64-x86_64.cmake
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
    cmake -S "$work/source" -B "$work/build" "${WINDOWS_QT_CONFIGURE[@]}" \
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
