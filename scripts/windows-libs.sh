# Qt and GoogleTest for Windows. Qt is cross-built with MinGW-w64 from Debian's own qtbase source
# (the same version as the host's Qt, whose moc, rcc and uic it uses), trimmed
# to what the program and its tests need. Built once per machine and kept under
# ~/.cache, in a folder named by the Qt version and a digest of how it was
# configured. Sourced by scripts/windows.sh after scripts/packages.sh;
# windows_qt_prefix prints the folder of the installed Qt.

WINDOWS_QT_CONFIGURE=(
  -G Ninja
  -DCMAKE_BUILD_TYPE=Release
  # Static libraries, so that the program is one self-contained executable;
  # every function and datum in a section of its own, so that the linker drops
  # what the program never reaches.
  -DBUILD_SHARED_LIBS=OFF
  "-DCMAKE_C_FLAGS=-ffunction-sections -fdata-sections"
  "-DCMAKE_CXX_FLAGS=-ffunction-sections -fdata-sections"
  -DQT_BUILD_EXAMPLES=OFF
  -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF
  -DFEATURE_network=OFF
  -DFEATURE_dbus=OFF
  -DFEATURE_opengl=OFF
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
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
)

# The attributions (qt_attribution.json) of Qt's code and of the third-party
# code inside Qt that the Windows program links, by their folders in Qt's source.
WINDOWS_QT_ATTRIBUTIONS=(
  src/corelib/text src/corelib/tools src/gui/painting
  src/3rdparty/blake2 src/3rdparty/double-conversion src/3rdparty/easing
  src/3rdparty/freetype src/3rdparty/harfbuzz-ng src/3rdparty/libpng src/3rdparty/md4
  src/3rdparty/md5 src/3rdparty/pcre2 src/3rdparty/rfc6234 src/3rdparty/sha1
  src/3rdparty/sha3 src/3rdparty/tinycbor src/3rdparty/zlib
)

# The one change the build makes to Debian's source of Qt: the windows platform
# plugin of 6.4.2 asks for the dynamic OpenGL loader whether or not OpenGL is
# built, and without OpenGL there is none to ask.
WINDOWS_QT_CHANGED_FILE=src/plugins/platforms/windows/qwindowswindow.cpp
WINDOWS_QT_CHANGE='s/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/'

# Keeps what the program's notices need of Qt's source, which is not kept:
# the attributions scanned by Qt's own qtattributionsscanner, each licence text
# they name (licenses/ID.txt), Qt's own licences, the Debian source package
# and version (source.txt) and the change made to it (change.txt), in DIR.
windows_qt_keep_notices() {
  local source=$1 dir=$2 version=$3 scanner=/usr/lib/qt6/libexec/qtattributionsscanner folder
  mkdir -p "$dir/licenses"
  echo "qt6-base $version" > "$dir/source.txt"
  printf '%s: sed -e %s\n' "$WINDOWS_QT_CHANGED_FILE" "'$WINDOWS_QT_CHANGE'" > "$dir/change.txt"
  for folder in "${WINDOWS_QT_ATTRIBUTIONS[@]}"; do
    "$scanner" --output-format json -s -o "$dir/${folder//\//-}.json" "$source/$folder"
  done
  awk -F'"' '$2 == "Id" { id = $4 } $2 == "LicenseFile" && $4 != "" { print id, $4 }' \
    "$dir"/*.json | while read -r id file; do cp "$file" "$dir/licenses/$id.txt"; done
  cp "$source/LICENSES/LGPL-3.0-only.txt" "$source/LICENSES/GPL-3.0-only.txt" "$dir/licenses/"
}

# Downloads Debian's source of the host's Qt (VERSION) into the current folder.
# apt is pointed at a private sources list and lists folder, naming only the
# mirror that serves the host's Qt with the signing key of that mirror's own
# entry, so that the system's apt configuration stays as it was.
windows_qt_fetch_source() {
  local version=$1 repo suite component entry file stanza key=
  read -r repo suite component < <(debian_mirror_of qt6-base-dev)
  if [ -z "$repo" ]; then
    echo "no Debian mirror found that serves qt6-base-dev" >&2
    return 1
  fi
  entry=$(apt-get indextargets --format '$(SOURCESENTRY)' "Repo-URI: ${repo%/}/" \
    "Release: $suite" "Identifier: Packages" | head -n 1)
  file=${entry%:*}
  stanza=${entry##*:}
  case "$file" in
    *.sources) key=$(awk -v n="$stanza" 'BEGIN { RS = "" } NR == n' "$file" |
      awk -F': *' 'tolower($1) == "signed-by" { print $2 }') ;;
    *.list) key=$(sed -n "${stanza}p" "$file" | grep -o 'signed-by=[^] ]*' | cut -d= -f2) ;;
  esac
  mkdir -p apt/lists/partial apt/cache apt/parts
  echo "deb-src ${key:+[signed-by=$key] }$repo $suite $component" > apt/sources.list
  local private=(-o Dir::Etc::SourceList="$PWD/apt/sources.list"
    -o Dir::Etc::SourceParts="$PWD/apt/parts" -o Dir::State::Lists="$PWD/apt/lists"
    -o Dir::Cache="$PWD/apt/cache" -o APT::Sandbox::User="$(id -un)")
  apt-get "${private[@]}" update -q >/dev/null
  apt-get "${private[@]}" source --download-only -q "qt6-base=$version"
}

windows_qt_prefix() {
  local version digest
  version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
  digest=$( {
    printf '%s\n' "${WINDOWS_QT_CONFIGURE[@]}" "${WINDOWS_QT_ATTRIBUTIONS[@]}" "$WINDOWS_QT_CHANGE"
    cat cmake/toolchains/mingw-w64-x86_64.cmake
  } | sha256sum | cut -c1-12)
  echo "${XDG_CACHE_HOME:-$HOME/.cache}/quorvel/qt-${version%%+*}-mingw-w64-$digest"
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
    sed -i -e "$WINDOWS_QT_CHANGE" "$work/source/$WINDOWS_QT_CHANGED_FILE"
    grep -q 'QT_CONFIG(dynamicgl) && QT_CONFIG(opengl)' "$work/source/$WINDOWS_QT_CHANGED_FILE"
    cmake -S "$work/source" -B "$work/build" "${WINDOWS_QT_CONFIGURE[@]}" \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-w64-x86_64.cmake" \
      -DQT_HOST_PATH=/usr \
      -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(gcc -print-multiarch)/cmake" \
      -DCMAKE_INSTALL_PREFIX="$prefix" > "$work/configure.log"
  fi
  echo "building Qt $version for Windows in $work (about 40 minutes on 2 cores)"
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
