#!/usr/bin/env bash
# scripts/release-root.sh in a root of one static busybox: a command run in a
# root sees a /tmp of its own, gives back its exit status, and when it ends,
# or when a command started in the background is stopped, no process is left
# in the root and no mount made for it is left on the machine.
# Needs root, or sudo without a password; skipped (77) otherwise.
# Usage: release_root_ends_what_it_started.sh SOURCE_DIR SCRATCH_DIR
set -euo pipefail
source_dir=$1
scratch=$2
if [ "$(id -u)" -ne 0 ] && ! sudo -n true 2>/dev/null; then
  echo "needs root or sudo without a password"
  exit 77
fi
cd "$source_dir"
. scripts/packages.sh
. scripts/release-root.sh
root=$scratch/root

fail() {
  echo "FAILED: $*"
  exit 1
}
mounts_under_root() {
  awk -v r="$(readlink -f "$root")" 'index($5, r) == 1 { print $5 }' /proc/self/mountinfo
}
trap 'stop_in_release_root "$root" >/dev/null 2>&1 || true; as_root rm -rf --one-file-system "$scratch"' EXIT

as_root rm -rf --one-file-system "$scratch"
mkdir -p "$root"/{bin,dev,proc,sys,tmp,etc}
cp "$(command -v busybox)" "$root/bin/busybox"
for tool in sh sleep env cat ls touch; do ln -s busybox "$root/bin/$tool"; done

# Its exit status comes back, and its /tmp was its own.
status=0
in_release_root_as_root "$root" sh -c 'touch /tmp/left-behind; exit 3' || status=$?
[ "$status" -eq 3 ] || fail "the command's status 3 came back as $status"
[ ! -e "$root/tmp/left-behind" ] || fail "the command's /tmp was the root's own folder"
[ -z "$(mounts_under_root)" ] || fail "mounts left after the command: $(mounts_under_root)"

# Started in the background with a child of its own, then stopped.
start_in_release_root_as_root "$root" sh -c 'sleep 300 & sleep 301'
for _ in $(seq 50); do
  [ "$(release_root_processes "$root" | wc -l)" -ge 2 ] && break
  sleep 0.1
done
running=$(release_root_processes "$root" | wc -l)
[ "$running" -ge 2 ] || fail "the command started $running processes in the root, not 2"
stop_in_release_root "$root" || fail "stopping the command"
[ -z "$(release_root_processes "$root")" ] || fail "processes left in the root"
[ -z "$(mounts_under_root)" ] || fail "mounts left after stopping: $(mounts_under_root)"
echo "the command's status and /tmp its own; $running processes started and none left; no mount left"
