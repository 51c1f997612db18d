# shellcheck shell=bash
# What the scripts' tests share: the checkout, a home and caches of the test's
# own, and stand-ins for the tools a script calls.

root=$(git -C "$BATS_TEST_DIRNAME" rev-parse --show-toplevel)

# A home and caches of the test's own, and its stand-ins first on PATH.
use_scratch_home() {
  export HOME=$BATS_TEST_TMPDIR/home XDG_CACHE_HOME=$BATS_TEST_TMPDIR/home/.cache
  mkdir -p "$HOME" "$BATS_TEST_TMPDIR/bin"
  export PATH=$BATS_TEST_TMPDIR/bin:$PATH
}

# stub NAME [BODY]: a stand-in for the command NAME, which notes each call,
# "NAME ARG...", in $BATS_TEST_TMPDIR/calls, then runs BODY with the call's
# arguments; $scratch in BODY is the test's own folder.
stub() {
  {
    echo '#!/bin/bash'
    printf 'scratch=%q\n' "$BATS_TEST_TMPDIR"
    printf 'echo "%s $*" >> "$scratch/calls"\n' "$1"
    echo "${2:-}"
  } > "$BATS_TEST_TMPDIR/bin/$1"
  chmod +x "$BATS_TEST_TMPDIR/bin/$1"
}

# sudo as a sudo user's scripts call it, running the command as the caller,
# so that a stand-in is what runs as root.
stub_sudo() {
  stub sudo 'while [ "${1:-}" = -n ]; do shift; done; exec "$@"'
}

# A copy of the checkout as it stands, committed or not, with its git
# history, in DIR: a script may write into it.
copy_checkout() {
  mkdir -p "$1"
  (cd "$root" && git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
    tar --null -T - -cf -) | tar -xf - -C "$1"
  cp -a "$root/.git" "$1/"
}
