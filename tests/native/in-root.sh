#!/usr/bin/env bash
# Usage: in-root.sh BASE PROGRAM [ARG...]
# Starts PROGRAM as the only program of a root of its own, made in a mount
# namespace of its own: BASE (a system's folder, such as a Debian 11 one, or -
# for nothing at all), /dev (the ptys, /dev/tty), /proc (where the program
# finds who holds a busy port), the folder that the COMn variables lead into,
# and a copy of PROGRAM in /tmp. So it finds no dynamic loader or C library
# but BASE's. The mounts live and go with the namespace; each step execs the
# next, so the program keeps this process, its terminal and its signals.
# Needs what scripts/can-isolate probes for.
set -euo pipefail
ports=$(dirname "$COM1")
root=$(mktemp -d -p "$ports" root.XXXXXX)
# shellcheck disable=SC2016 # expanded by the namespace's shell
exec unshare --mount --propagation private bash -c '
  set -e
  base=$1 root=$2 ports=$3 program=$4
  shift 4
  if [ "$base" == - ]; then mount -t tmpfs -o mode=0755 root "$root"; else mount --bind "$base" "$root"; fi
  mkdir -p "$root/tmp" "$root/dev" "$root/proc"
  mount -t tmpfs tmp "$root/tmp"
  mount --rbind /dev "$root/dev"
  mount --rbind /proc "$root/proc"
  mkdir -p "$root$ports"
  mount --bind "$ports" "$root$ports"
  cp "$program" "$root/tmp/"
  exec chroot "$root" "/tmp/${program##*/}" "$@"' _ "$1" "$root" "$ports" "${@:2}"
