#!/usr/bin/env bats
# scripts/debian.sh and scripts/in-release.sh on a copy of the checkout, with
# stand-ins for Debian's tools, which a test makes fail or succeed as the
# machine it plays would.

bats_require_minimum_version 1.5.0

setup() {
  # shellcheck source=helpers.bash
  . "$BATS_TEST_DIRNAME/helpers.bash"
  use_scratch_home
  stub_sudo
  stub usermod
  stub localedef
  copy_checkout "$BATS_TEST_TMPDIR/quorvel"
  cd "$BATS_TEST_TMPDIR/quorvel" || return
  . scripts/packages.sh
  own=$(debian_release)
  for other in "${DEBIAN_RELEASES[@]}"; do [ "$other" = "$own" ] || break; done
  cache=$XDG_CACHE_HOME/quorvel/debian
}

# mmdebstrap that makes the tarball it is asked for, or, given "fails", makes
# half of it and fails.
stub_mmdebstrap() {
  stub mmdebstrap "for arg; do case \$arg in *.tar.gz) echo half-made > \"\$arg\" ;; esac; done
    [ '${1:-}' != fails ] || exit 1
    for arg; do case \$arg in *.tar.gz) echo whole > \"\$arg\" ;; esac; done"
}

# sbuild that builds for this machine's architecture, as Debian's does, and
# leaves the log and the package a successful build with every check leaves.
stub_sbuild() {
  stub sbuild 'host=$(dpkg --print-architecture) arch=$host
    for arg; do case $arg in --build-dir=*) dir=${arg#*=} ;; --append-to-version=*) suffix=${arg#*=} ;;
      --arch=*) arch=${arg#*=} ;; esac; done
    [ "$arch" = "$host" ] || { echo "cannot build for $arch on $host" >&2; exit 1; }
    name=$dir/quorvel_$(dpkg-parsechangelog -S Version)${suffix}_$arch
    printf "%s\n" "Status: successful" "Lintian: pass" "Piuparts: pass" "Autopkgtest: pass" > "$name.build"
    : > "$name.deb"'
}

@test "the source package holds the work as it stands and nothing an in-tree build leaves" {
  mkdir -p obj-x86_64-linux-gnu debian/quorvel/usr/bin debian/.debhelper
  touch obj-x86_64-linux-gnu/CMakeCache.txt debian/quorvel/usr/bin/quorvel debian/.debhelper/log \
    debian/quorvel.substvars debian/debhelper-build-stamp debian/files
  echo '// not committed yet' > core/new_part.h
  echo 'A line not committed yet.' >> README.md
  stub_mmdebstrap fails
  run scripts/debian.sh "$own"
  cd build-debian/source
  tar -tJf quorvel_*.orig.tar.xz > orig
  tar -tJf quorvel_*.debian.tar.xz > debian
  run ! grep -E 'obj-|CMakeCache' orig
  run ! grep -E '^debian/(quorvel/|\.debhelper/|.*\.substvars|debhelper-build-stamp|files$)' debian
  grep -qx 'quorvel-[0-9.]*/core/new_part.h' orig
  [ "$(tar -xJOf quorvel_*.orig.tar.xz --wildcards --no-wildcards-match-slash '*/README.md' |
    tail -n 1)" = 'A line not committed yet.' ]
}

@test "a chroot mmdebstrap could not make stops the run and leaves the one there was" {
  mkdir -p "$cache"
  echo old > "$cache/$own-buildd.tar.gz"
  touch -d '8 days ago' "$cache/$own-buildd.tar.gz"
  echo half-made > "$cache/$own-buildd.new.tar.gz" # by a run cut short
  stub_mmdebstrap fails
  stub sbuild 'exit 1'
  run scripts/debian.sh "$own"
  [ "$status" -ne 0 ]
  [ "$(cat "$cache/$own-buildd.tar.gz")" = old ]
  [[ "$output" == *"mmdebstrap could not make the $own chroot"* ]]
  run ! grep -q '^sbuild' "$BATS_TEST_TMPDIR/calls"
}

@test "run alone where the build dependencies are missing, it installs them before building here" {
  stub dpkg-checkbuilddeps '[ -f "$scratch/installed" ] || { echo "Unmet build dependencies: cmake" >&2; exit 1; }'
  stub apt-get 'case " $* " in *" build-dep "*) touch "$scratch/installed" ;; esac'
  stub_mmdebstrap
  stub_sbuild
  stub piuparts
  stub autopkgtest
  stub reprotest '[ -f "$scratch/installed" ] || { echo "cmake: command not found"; exit 1; }
    echo "Reproduction successful"'
  run scripts/debian.sh "$own"
  echo "$output"
  [ "$status" -eq 0 ]
  [[ "$output" == *"Reproduction successful"* ]]
}

@test "on a machine of another architecture, it builds for that one" {
  stub dpkg '[ "$1" = --print-architecture ] && { echo arm64; exit; }; exec /usr/bin/dpkg "$@"'
  stub dpkg-checkbuilddeps
  stub_mmdebstrap
  stub_sbuild
  stub piuparts
  stub autopkgtest
  run scripts/debian.sh "$other"
  echo "$output"
  [ "$status" -eq 0 ]
  [[ "$output" == *"_arm64.deb"* ]]
}

@test "a release the project is not built for is refused before anything is made for it" {
  stub mmdebstrap
  stub sbuild
  run scripts/in-release.sh sid true
  [ "$status" -ne 0 ]
  [ ! -e "$BATS_TEST_TMPDIR/calls" ] || run ! grep -Eq '^(mmdebstrap|sbuild)' "$BATS_TEST_TMPDIR/calls"
  [[ "$output" == *"no release sid here"* ]]
  run scripts/debian.sh sid
  [ "$status" -ne 0 ]
  [[ "$output" == *"no release sid here"* ]]
  [ ! -e "$BATS_TEST_TMPDIR/calls" ] || run ! grep -Eq '^(mmdebstrap|sbuild)' "$BATS_TEST_TMPDIR/calls"
}
