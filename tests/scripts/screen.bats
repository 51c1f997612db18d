#!/usr/bin/env bats
# Reading the program's window off a private X screen (scripts/screen.sh), as
# the package checks and the autopkgtest of the window do.

setup() {
  # shellcheck source=helpers.bash
  . "$BATS_TEST_DIRNAME/helpers.bash"
  use_scratch_home
}

@test "a script that runs itself again on a private X server does so from another folder" {
  mkdir "$BATS_TEST_TMPDIR/empty"
  cd "$root/.."
  run "$(basename "$root")/tests/windows_packages/check.sh" "$BATS_TEST_TMPDIR/empty"
  [ "$status" -eq 1 ]
  [[ "$output" == *"no Windows packages in $BATS_TEST_TMPDIR/empty"* ]]
}

@test "the window's autopkgtest, failing, keeps the screen and shows the program's output" {
  stub quorvel 'echo "could not connect to the display" >&2; exit 1'
  export AUTOPKGTEST_ARTIFACTS=$BATS_TEST_TMPDIR/artifacts
  mkdir "$AUTOPKGTEST_ARTIFACTS"
  cd "$root"
  run debian/tests/window
  [ "$status" -ne 0 ]
  [[ "$output" == *"could not connect to the display"* ]]
  [ -s "$AUTOPKGTEST_ARTIFACTS/screen.png" ]
}

@test "reading a number writes no file by a name another user could foresee, and fails with its tools" {
  . "$root/scripts/screen.sh"
  export TMPDIR=$BATS_TEST_TMPDIR/tmp
  mkdir "$TMPDIR"
  echo kept > "$BATS_TEST_TMPDIR/victim"
  stub xdotool 'printf "%s\n" WINDOW=1 X=0 Y=0 WIDTH=409 HEIGHT=375 SCREEN=0'
  # Another user, seeing the screenshot's name, puts a link beside it.
  stub import "touch \"\${@: -1}\"; ln -s '$BATS_TEST_TMPDIR/victim' \"\${@: -1}.ocr.png\""
  stub convert 'echo drawn > "${@: -1}"; exit 1'
  stub tesseract 'echo 1103'
  run shown_at 1 result
  [ "$(cat "$BATS_TEST_TMPDIR/victim")" = kept ]
  [ "$status" -ne 0 ]
  [ -z "$(ls -A "$TMPDIR")" ]
}
