# shellcheck shell=bash
# Sourced by the scripts that try the checkout on a fresh, minimal Debian
# system (apt and little else, as a container or a minimal cloud image is):
# whatever the scripts forget to install fails there, not on a user's machine.
# Needs root.
source "$(dirname "${BASH_SOURCE[0]}")/packages.sh"

# make_fresh_system SUITE DIR [PACKAGE...]: a minimal Debian SUITE in DIR,
# with git (to hold the clone) and the given packages.
make_fresh_system() {
  local suite=$1 dir=$2
  shift 2
  mkdir -p "$(dirname "$dir")"
  retried mmdebstrap mmdebstrap_into "$dir" --quiet --variant=apt --include="$(IFS=,; echo "git${*:+,$*}")" "$suite"
}

# mmdebstrap_into DIR ARGS...: a new system in DIR (whatever DIR held before
# is removed), made by mmdebstrap ARGS: one try of a download that an archive
# mid-sync may fail.
mmdebstrap_into() {
  local dir=$1
  shift
  rm -rf --one-file-system "$dir"
  mmdebstrap "$@" "$dir"
}

# clone_into_fresh_system DIR PATH [COMMIT]: a clone of this checkout at PATH
# inside the system, at COMMIT (default: the last).
clone_into_fresh_system() {
  git clone --quiet --no-hardlinks "$(git rev-parse --show-toplevel)" "$1$2"
  [ -z "${3:-}" ] || git -C "$1$2" checkout --quiet "$3"
}

# run_in_fresh_system DIR COMMAND...: runs COMMAND as root inside the system,
# in mount and process namespaces of its own. The system's /proc, /dev and
# /sys exist only in that mount namespace, and its processes only in that
# process namespace: when COMMAND ends, or this shell dies (even by SIGKILL:
# the parent-death signal ends unshare, which ends the namespace), every
# process it left is killed and every mount is gone with the namespace, so
# nothing leads from DIR back into the host's /dev.
run_in_fresh_system() {
  local dir=$1
  shift
  # shellcheck disable=SC2016 # expanded by the namespace's shell
  setpriv --pdeathsig KILL \
    unshare --mount --pid --fork --kill-child --propagation private bash -c '
    set -e
    root=$1
    shift
    # Its own root a mount point, as a container has: unshare inside it (a
    # fresh system within a fresh system) can then make that root private.
    mount --bind "$root" "$root"
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount --rbind /sys "$root/sys"
    mount -t tmpfs tmpfs "$root/dev/shm"
    exec chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"' \
    _ "$dir" "$@"
}

# remove_fresh_system DIR: deletes it; its mounts lived only in the namespace
# of run_in_fresh_system, so no mount is left under it to delete through.
remove_fresh_system() {
  if grep -qF " $(realpath -m "$1")/" /proc/self/mountinfo; then
    echo "not removing $1: something is still mounted in it" >&2
    return 1
  fi
  rm -rf --one-file-system "$1"
}
