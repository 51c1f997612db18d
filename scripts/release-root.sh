#!/usr/bin/env bash
# Debian releases in roots of their own: the project's cached build root of a
# release other than this machine's, and the clean roots that packages are
# installed into. Every command run in a root runs in a process and mount
# namespace of its own, so that when it ends, however it ends, every process
# started in the root has ended and every mount made for it is gone.
#
# Sourced after scripts/packages.sh:
#   release_root_dir RELEASE: where the build root of RELEASE is kept
#     (~/.cache/quorvel/roots/RELEASE).
#   make_release_root RELEASE DIR: a minimal Debian RELEASE in DIR, made by
#     debootstrap --variant=minbase from the mirror this machine's apt uses,
#     its apt pointed at that mirror's suites of RELEASE (the release, its
#     updates and its security suite).
#   ensure_release_root RELEASE PACKAGE...: the build root of RELEASE made if
#     it is missing, else brought up to date with apt; PACKAGEs installed in it.
#   in_release_root DIR COMMAND [ARG...]: runs COMMAND in the root at DIR as
#     the calling user, from the directory it is called in, with the checkout
#     and ~/.cache/quorvel at their own paths and a /tmp of its own.
#   in_release_root_as_root DIR COMMAND [ARG...]: the same as root, with
#     nothing of the machine mounted in it but /dev, /proc and /sys.
#   start_in_release_root_as_root DIR COMMAND [ARG...], stop_in_release_root
#     DIR: the same in the background, and its end, checked: no process is
#     left in the root.
# Run as a command, it runs COMMAND in the build root of RELEASE, with every
# package the project's builds and tests need:
#   scripts/release-root.sh RELEASE COMMAND [ARG...]
# Needs root, or sudo.

RELEASE_ROOT_CHECKOUT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
RELEASE_ROOT_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/quorvel

release_root_dir() {
  echo "$RELEASE_ROOT_CACHE/roots/$1"
}

make_release_root() {
  local release=$1 dir=$2 uri suite _
  ensure_packages debootstrap
  [ -n "$(debian_archives)" ] || as_root apt-get update -q >/dev/null
  read -r uri suite _ < <(debian_archives)
  [ -n "$uri" ] || { echo "no Debian archive of $(debian_release) in this machine's apt" >&2; return 1; }
  echo "making a Debian $release root in $dir from $uri"
  as_root debootstrap --variant=minbase "$release" "$dir" "$uri" > "$dir.debootstrap.log" 2>&1 ||
    { tail -n 20 "$dir.debootstrap.log" >&2; return 1; }
  rm -f "$dir.debootstrap.log"
  # The root's apt takes its own keyring, which knows its own release's keys.
  debian_sources_for deb "$release" /usr/share/keyrings/debian-archive-keyring.gpg |
    as_root tee "$dir/etc/apt/sources.list" >/dev/null
  # Nothing in a root starts services; apt's packages must not try.
  printf '#!/bin/sh\nexit 101\n' | as_root tee "$dir/usr/sbin/policy-rc.d" >/dev/null
  as_root chmod 755 "$dir/usr/sbin/policy-rc.d"
}

# The steps that set a root up for its user and run COMMAND in it, inside the
# new namespaces: $1 the root, $2 "user" or "root", $3 the folder to start in,
# then the environment as NAME=VALUE words up to "--", then COMMAND.
RELEASE_ROOT_ENTER='
set -eu
root=$1 as=$2 folder=$3
shift 3
environment=()
while [ "$1" != -- ]; do environment+=("$1"); shift; done
shift
mount --rbind /dev "$root/dev"
mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
mount -t sysfs -o ro sysfs "$root/sys"
mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
cp /etc/resolv.conf "$root/etc/resolv.conf"
if [ "$as" = user ]; then
  for shared in "$RELEASE_ROOT_CHECKOUT" "$RELEASE_ROOT_CACHE"; do
    mkdir -p "$root$shared"
    mount --bind "$shared" "$root$shared"
  done
  exec chroot --userspec="$RELEASE_ROOT_UID:$RELEASE_ROOT_GID" "$root" \
    env -i "${environment[@]}" sh -c "cd \"\$0\" && exec \"\$@\"" "$folder" "$@"
fi
exec chroot "$root" env -i "${environment[@]}" "$@"
'

# The environment a command in a root sees: a plain one, with what the
# project's scripts read passed on.
release_root_environment() {
  local name
  printf '%s\n' PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    "HOME=$HOME" "USER=$(id -un)" "LOGNAME=$(id -un)" LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive
  for name in TERM CI XDG_CACHE_HOME $(compgen -e | grep -E '^(QUORVEL|QT|RANDOM)_' || true); do
    [ -n "${!name+set}" ] && echo "$name=${!name}"
  done
}

# Sets RELEASE_ROOT_COMMAND to the words that run COMMAND in the root at DIR,
# as "user" or "root" (AS).
release_root_command() {
  local dir=$1 as=$2 environment propagation=private
  shift 2
  mapfile -t environment < <(release_root_environment)
  # Mounts made in the root must not reach the machine's: the new namespace's
  # mounts are made private. Inside a root, whose / is no mount point, they
  # already are, and the kernel refuses to change it.
  mountpoint -q / || propagation=unchanged
  RELEASE_ROOT_COMMAND=(env RELEASE_ROOT_CHECKOUT="$RELEASE_ROOT_CHECKOUT"
    RELEASE_ROOT_CACHE="$RELEASE_ROOT_CACHE" RELEASE_ROOT_UID="$(id -u)" RELEASE_ROOT_GID="$(id -g)"
    unshare --mount --pid --fork --kill-child --propagation "$propagation" --mount-proc="$dir/proc"
    bash -c "$RELEASE_ROOT_ENTER" release-root "$dir" "$as" "$PWD" "${environment[@]}" -- "$@")
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "need root (or sudo) to enter $dir" >&2; return 1; }
    RELEASE_ROOT_COMMAND=(sudo "${RELEASE_ROOT_COMMAND[@]}")
  fi
}

in_release_root() {
  local dir=$1
  shift
  release_root_command "$dir" user "$@"
  "${RELEASE_ROOT_COMMAND[@]}"
}

in_release_root_as_root() {
  local dir=$1
  shift
  release_root_command "$dir" root "$@"
  "${RELEASE_ROOT_COMMAND[@]}"
}

# Starts COMMAND in the root at DIR as root, in the background, and sets
# RELEASE_ROOT_PID to the process that holds the root's namespaces (sudo, or
# unshare itself): ending it ends every process of the root.
start_in_release_root_as_root() {
  local dir=$1
  shift
  release_root_command "$dir" root "$@"
  "${RELEASE_ROOT_COMMAND[@]}" &
  RELEASE_ROOT_PID=$!
}

# The processes whose root is DIR, one pid a line: their root is the folder
# itself, by device and inode (its path reads differently from inside a root).
release_root_processes() {
  # shellcheck disable=SC2016
  as_root sh -c 'for proc in /proc/[0-9]*; do
      [ "$(stat -L -c %d:%i "$proc/root/" 2>/dev/null)" = "$1" ] && echo "${proc#/proc/}"
    done; true' release-root "$(stat -c '%d:%i' "$1")"
}

# Ends what start_in_release_root_as_root started in the root at DIR and
# waits for it; fails, after killing them, if any process of the root is left.
# unshare ignores the signals that end a program, waiting for its child, but
# when it is killed its child is killed too, and with that child every process
# of its namespace.
stop_in_release_root() {
  local dir=$1 holder left
  [ -n "${RELEASE_ROOT_PID:-}" ] || return 0
  holder=$(ps -e -o pid=,ppid=,comm= | awk -v top="$RELEASE_ROOT_PID" '
    { parent[$1] = $2; name[$1] = $3 }
    END { for (p in name) if (name[p] == "unshare")
            for (q = p; q != ""; q = parent[q]) if (q == top) { print p; break } }')
  # shellcheck disable=SC2086
  [ -z "$holder" ] || as_root kill -KILL $holder 2>/dev/null || true
  wait "$RELEASE_ROOT_PID" 2>/dev/null || true
  RELEASE_ROOT_PID=
  left=$(release_root_processes "$dir")
  if [ -n "$left" ]; then
    # shellcheck disable=SC2086
    as_root kill -KILL $left 2>/dev/null || true
    echo "processes were left running in $dir: $(tr '\n' ' ' <<< "$left")" >&2
    return 1
  fi
}

ensure_release_root() {
  local release=$1 dir missing
  shift
  dir=$(release_root_dir "$release")
  mkdir -p "$(dirname "$dir")"
  if [ ! -f "$dir/.quorvel-root" ]; then
    as_root rm -rf --one-file-system "$dir"
    mkdir -p "$dir"
    make_release_root "$release" "$dir"
    echo "$release" | as_root tee "$dir/.quorvel-root" >/dev/null
  else
    echo "bringing the Debian $release root in $dir up to date"
  fi
  in_release_root_as_root "$dir" sh -c 'apt-get update -q >/dev/null &&
    apt-get full-upgrade -y -q -o Dpkg::Options::=--force-confold >/dev/null' ||
    { echo "apt-get update and full-upgrade in the $release root failed" >&2; return 1; }
  missing=$(in_release_root_as_root "$dir" sh -c 'dpkg-query -W -f="\${Package} \${Status}\n" "$@" \
    2>/dev/null || true' dpkg-query "$@" | awk '$NF == "installed" { print $1 }' | sort |
    comm -13 - <(printf '%s\n' "$@" | sort -u))
  if [ -n "$missing" ]; then
    echo "installing in the $release root: $(tr '\n' ' ' <<< "$missing")"
    # shellcheck disable=SC2086
    in_release_root_as_root "$dir" apt-get install -y -q --no-install-recommends $missing \
      > "$dir.apt.log" 2>&1 || { tail -n 20 "$dir.apt.log" >&2; return 1; }
  fi
  rm -f "$dir.apt.log"
  release_root_add_user "$dir"
}

# The calling user, by number, in the root: a passwd entry, its home's folder,
# and sudo without a password, so that the project's scripts run there as
# they run on the machine.
release_root_add_user() {
  local dir=$1 uid gid user
  uid=$(id -u)
  gid=$(id -g)
  [ "$uid" -eq 0 ] && return 0
  user=$(id -un)
  in_release_root_as_root "$dir" sh -c "
    getent group $gid >/dev/null || groupadd -g $gid '$(id -gn)'
    getent passwd $uid >/dev/null || useradd -M -u $uid -g $gid -d '$HOME' -s /bin/bash '$user'
    mkdir -p '$HOME' && chown $uid:$gid '$HOME'
    command -v sudo >/dev/null || apt-get install -y -q --no-install-recommends sudo >/dev/null
    echo '$user ALL=(ALL) NOPASSWD: ALL' > /etc/sudoers.d/quorvel && chmod 440 /etc/sudoers.d/quorvel"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  [ $# -ge 2 ] || { echo "usage: $0 RELEASE COMMAND [ARG...]" >&2; exit 2; }
  . "$RELEASE_ROOT_CHECKOUT/scripts/packages.sh"
  release=$1
  shift
  ensure_release_root "$release" $(release_packages "$release")
  in_release_root "$(release_root_dir "$release")" env QUORVEL_BUILD_TAG="-$(release_tag "$release")" "$@"
fi
