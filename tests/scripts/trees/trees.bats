#!/usr/bin/env bats
# scripts/in-release.sh on the tree of the Windows build's release, as
# scripts/windows.sh made it.

setup() {
  # shellcheck source=../helpers.bash
  . "$BATS_TEST_DIRNAME/../helpers.bash"
  . "$root/scripts/packages.sh"
  tree=$QUORVEL_TREES/$WINDOWS_RELEASE
  [ -f "$tree.made" ] || skip "no $WINDOWS_RELEASE tree: scripts/windows.sh makes it"
}

@test "an update of the tree cut short is finished when the tree is next entered" {
  # What dpkg leaves when it is stopped during an update: its journal.
  as_root sh -c ": > '$tree/var/lib/dpkg/updates/0001'"
  run "$root/scripts/in-release.sh" "$WINDOWS_RELEASE" true
  [ "$status" -eq 0 ]
  [ -z "$(ls -A "$tree/var/lib/dpkg/updates")" ]
}

@test "a sudo user enters the tree with a home of their own, and keeps their cache theirs" {
  [ "$(id -u)" -eq 0 ] || skip "adding a user of the test's own needs root"
  user=quorvel-test-$$
  useradd --create-home --shell /bin/bash "$user"
  echo "$user ALL=(ALL) NOPASSWD: ALL" > "/etc/sudoers.d/$user"
  home=$(getent passwd "$user" | cut -d: -f6)
  copy_checkout "$home/quorvel"
  chown -R "$user:" "$home/quorvel"
  run runuser -u "$user" -- "$home/quorvel/scripts/in-release.sh" "$WINDOWS_RELEASE" \
    sh -c 'mkdir -p "$HOME/.cache/fontconfig" && touch "$HOME/.cache/quorvel/written"'
  [ "$status" -eq 0 ]
  [ -z "$(find "$home" -user root)" ]
  runuser -u "$user" -- rm -r "$home/.cache/quorvel"
}

teardown() {
  if [ -n "${user:-}" ]; then
    userdel --remove "$user" 2>/dev/null || true
    rm -f "/etc/sudoers.d/$user"
  fi
}
