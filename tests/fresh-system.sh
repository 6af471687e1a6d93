#!/usr/bin/env bash
# What a run in a fresh system leaves when its command fails or it is killed:
# no process, no mount, and a folder that can be removed. The system here is
# a tiny one (bash and sleep with their libraries), not a Debian one.
set -euo pipefail
reason=$(bash "$SOURCE_DIR/scripts/can-isolate") || { echo "skipped: $reason"; exit 77; }
source "$SOURCE_DIR/scripts/fresh-debian.sh"
source "$SOURCE_DIR/tests/expect.sh"
scratch=$(mktemp -d)
# The sleeper's own name tells its processes from any other sleep.
sleeper=stray-$$
trap 'kill $(sleeper_pids) 2>/dev/null || true; rm -rf --one-file-system "$scratch"' EXIT
root=$scratch/root

mkdir -p "$root"/{bin,usr/bin,proc,dev,sys}
cp /bin/bash "$root/bin/bash"
cp /usr/bin/env "$root/usr/bin/env"
cp /bin/sleep "$root/bin/$sleeper"
for program in /bin/bash /usr/bin/env /bin/sleep; do
  for lib in $(ldd "$program" | grep -o '/[^ ]*'); do cp --parents -L "$lib" "$root"; done
done

sleeper_pids() { grep -lx "$sleeper" /proc/[0-9]*/comm 2>/dev/null | cut -d/ -f3; }
sleepers() { sleeper_pids | wc -l; }
mounts_in_root() { grep -cF " $root/" /proc/self/mountinfo || true; }
settled() { for _ in $(seq 50); do (($(sleepers) == 0)) && return; sleep 0.1; done; }

status=0
run_in_fresh_system "$root" /bin/bash -c "/bin/$sleeper 600 & /bin/$sleeper 600 & exit 3" || status=$?
settled
expect_equal "a failing command: its status" 3 "$status"
expect_equal "a failing command: processes left" 0 "$(sleepers)"
expect_equal "a failing command: mounts left" 0 "$(mounts_in_root)"

run_in_fresh_system "$root" /bin/bash -c "/bin/$sleeper 600 & /bin/$sleeper 600" &
for _ in $(seq 50); do (($(sleepers) == 2)) && break; sleep 0.1; done
expect_equal "killed from outside: it ran" 2 "$(sleepers)"
{ kill -KILL $! && wait $!; } 2>/dev/null || true
settled
expect_equal "killed from outside: processes left" 0 "$(sleepers)"
expect_equal "killed from outside: mounts left" 0 "$(mounts_in_root)"

remove_fresh_system "$root"
expect_equal "the folder is removed" gone "$([ -e "$root" ] && echo there || echo gone)"
finish
