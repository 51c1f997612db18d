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
  -DFEATURE_system_zlib=OFF
  -DFEATURE_system_pcre2=OFF
  -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF
)

# Downloads Debian's source of the host's Qt (VERSION) into the current folder.
# apt is pointed at a private sources list and lists folder, naming only the
# mirror that serves the host's Qt with the signing key of that mirror's own
# entry, so that the system's apt configuration stays as it was.
windows_qt_fetch_source() {
  local version=$1 repo suite component entry file stanza key=
  read -r repo suite component < <(apt-cache policy qt6-base-dev |
    awk '$2 ~ /^(https?|file):/ { split($3, s, "/"); print $2, s[1], s[2]; exit }')
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
  digest=$( { printf '%s\n' "${WINDOWS_QT_CONFIGURE[@]}"; cat cmake/toolchains/mingw-w64-x86_64.cmake; } |
    sha256sum | cut -c1-12)
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
    # The windows platform plugin of 6.4.2 asks for the dynamic OpenGL loader
    # whether or not OpenGL is built; without OpenGL there is none to ask.
    sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
      "$work/source/src/plugins/platforms/windows/qwindowswindow.cpp"
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
