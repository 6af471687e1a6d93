#!/usr/bin/env bash
# What the native program adds to the shared scenarios: its port is locked
# against other programs and other copies of itself (root included), a key
# wait leaves the terminal as it found it, also when Ctrl+C or SIGTERM ends
# it, a signal in the middle of an exchange leaves the port free for the
# next user, and a port this user may not open names the device's group.
source "$E2E_RUNNER"
source "$(dirname "$0")/../e2e/screens.sh"

in_use="$PORT_QUESTION$BANNER${MENU_ANSWER}Error: COM2 in use or does not exist.\nPress Enter..."
ok_run="$UP_TO_MODE$(ok_screen ' 9' '    ( 100 kbit/s - K-CAN )')"

start_sim 2
(exec 9<"$COM2" && flock 9 && exec sleep 60) &
holder=$!
until ! flock -n "$COM2" true; do sleep 0.05; done
run_piped zade-config '2\n1\n9\n'
expect_equal "port locked by another program: exit status" 255 "$status"
expect_output "port locked by another program" "$in_use"
kill "$holder"
wait "$holder" 2>/dev/null || true
run_piped zade-config '2\n1\n9\n'
expect_equal "lock released: exit status" 0 "$status"
expect_output "lock released: the port opens again" "$ok_run"

# console_stty OPTION: stty OPTION of the console's terminal.
console_stty() { stty "$1" -F "$(tmux -L "$TMUX_SOCKET" display -p -t test '#{pane_tty}')"; }
# key_wait_modes: the console's canonical, echo and signal modes once the key
# wait has switched them (the prompt comes a moment before), or after 5 s.
key_wait_modes() {
  local modes
  for _ in $(seq 25); do
    modes=$(console_stty -a | tr ' ' '\n' | grep -xE -- '-?(icanon|echo|isig)' | xargs)
    [ "$modes" != "isig -icanon -echo" ] || break
    sleep 0.2
  done
  echo "$modes"
}

run_in_console zade-config
answer_zade_config 2
expect_screen "Input CAN BUS MODE :"
run_piped zade-config '2\n1\n9\n'
expect_equal "port held by another zade-config: exit status" 255 "$status"
expect_output "port held by another zade-config" "$in_use"
run_piped zade-config '' --port COM2 --mode 100
expect_equal "--mode on a port held by another zade-config: the holder named" yes \
  "$(grep -qE '^Busy: held by (zade-config|qemu-[a-z0-9]+) \(process [0-9]+\)\.$' "$TEST_TMP/err" &&
    echo yes || cat "$TEST_TMP/err")"
found=$(console_stty -g)
console_keys 9 Enter
expect_screen "Press Enter..."
expect_equal "during the wait: non-canonical, no echo, signals on" "isig -icanon -echo" \
  "$(key_wait_modes)"
console_keys Up  # a cursor key: an escape sequence
expect_equal "a cursor key ends the wait with status 0" 0 "$(console_wait_exit 15)"
expect_equal "terminal settings after the wait" "$found" "$(console_stty -g)"
console_close

# The shell in between keeps the console's shell from ending with the program.
program_command zade-config
console_run bash -c 'trap : INT; "$@"' - "${PROGRAM[@]}"
answer_zade_config 2 9
expect_screen "Press Enter..."
expect_equal "Ctrl+C comes during the wait" "isig -icanon -echo" "$(key_wait_modes)"
console_keys C-c
expect_equal "Ctrl+C ends the wait as SIGINT does" 130 "$(console_wait_exit 15)"
expect_equal "terminal settings after Ctrl+C" "$found" "$(console_stty -g)"
console_close
# The signal released the port: the same device opens again.

run_in_console zade-config
answer_zade_config 2 9
expect_screen "Press Enter..."
expect_equal "SIGTERM comes during the wait" "isig -icanon -echo" "$(key_wait_modes)"
kill -TERM "$(ps -o pid= --ppid "$(tmux -L "$TMUX_SOCKET" display -p -t test '#{pane_pid}')")"
expect_equal "SIGTERM ends the program as it would any other" 143 "$(console_wait_exit 15)"
expect_equal "terminal settings after SIGTERM" "$found" "$(console_stty -g)"
console_close

# A signal while --mode waits for the reply. Root may open a port whose
# exclusive flag is set, so the next open is another user's: only root can
# run it as one.
if [ "$(id -u)" != 0 ] || ! setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
  echo "skipped: the open after a signal needs root, to run it as another user"
else
  program_command zade-config
  declare -A number=([INT]=2 [TERM]=15 [HUP]=1)
  for signal in INT TERM HUP; do
    stop_sim
    start_sim 2 --delay 10000 --log "$TEST_TMP/received"
    chmod o+rw "$(readlink -f "$COM2")"
    # The reply would come after the 3 s the program waits for it: the signal
    # comes meanwhile. A shell's background job would start with SIGINT
    # ignored.
    env --default-signal=INT setsid "${PROGRAM[@]}" --port COM2 --mode 100 >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 100); do
      [ "$(cat "$TEST_TMP/received" 2>/dev/null)" != "81 00 00 09 8A" ] || break
      sleep 0.05
    done
    kill -"$signal" "$pid"
    set +e
    wait "$pid"
    status=$?
    set -e
    expect_equal "SIG$signal while the reply is awaited: the program ends by it" \
      $((128 + number[$signal])) "$status"
    expect_equal "after SIG$signal another user opens the port" opened \
      "$(setpriv --reuid=65534 --regid=65534 --clear-groups \
        bash -c 'exec 3<>"$1" && echo opened' - "$(readlink -f "$COM2")" 2>&1)"
  done
fi

# A device of another group than dialout, seen by a user outside it, with the
# system's account files in place of /etc/group and /etc/passwd.
if [ -n "${NEEDS_ISOLATION:-}" ]; then
  echo "skipped: the device's group in a root of its own: its program starts as root only"
elif ! reason=$(bash "$SOURCE_DIR/scripts/can-isolate"); then
  echo "skipped: the device's group: $reason"
else
  stop_sim
  start_sim 3
  pty=$(readlink -f "$COM3")
  # nobody must reach the program: a checkout under /root is root's alone, and
  # qemu-user opens the program as the user it runs as.
  shared=$(mktemp -d)
  chmod 755 "$shared"
  cp "${PROGRAM[-1]}" "$shared/"
  as_nobody=("${PROGRAM[@]:0:${#PROGRAM[@]}-1}" "$shared/$(basename "${PROGRAM[-1]}")")
  printf 'root:x:0:0::/root:/bin/sh\nnobody:x:65534:65534::/:/bin/sh\n' >"$TEST_TMP/passwd"
  # access_as GROUP_FILE: --mode on the pty as nobody, with GROUP_FILE for
  # /etc/group; reason: the line after the open error.
  access_as() {
    set +e
    unshare --mount --propagation private bash -c '
      mount --bind "$1" /etc/group && mount --bind "$2" /etc/passwd && shift 2 &&
        exec setpriv --reuid=65534 --regid=65534 --clear-groups "$@"' - "$1" "$TEST_TMP/passwd" \
      "${as_nobody[@]}" --port "$pty" --mode 100 >"$TEST_TMP/out" 2>"$TEST_TMP/err"
    status=$?
    set -e
  }
  reason() { sed -n 2p "$TEST_TMP/err" | grep . || cat "$TEST_TMP/err"; }
  chgrp 4242 "$pty"
  chmod 660 "$pty"
  printf 'root:x:0:\nuucp:x:4242:lp\nnogroup:x:65534:\n' >"$TEST_TMP/group"
  access_as "$TEST_TMP/group"
  expect_equal "a device of the uucp group: what to join" \
    "Permission denied: this user may not read and write it; join the 'uucp' group (sudo usermod -aG uucp \$USER, then log in again)." \
    "$(reason)"
  expect_equal "a device of the uucp group: exit status" 1 "$status"
  printf 'root:x:0:\nuucp:x:4242:lp,nobody\nnogroup:x:65534:\n' >"$TEST_TMP/group"
  access_as "$TEST_TMP/group"
  expect_equal "a user in the group, not yet in this login" \
    "Permission denied: this user may not read and write it; log in again: this user is in the 'uucp' group, but this login is not." \
    "$(reason)"
  printf 'root:x:0:\n' >"$TEST_TMP/group"
  access_as "$TEST_TMP/group"
  expect_equal "a group without a name: its number" \
    "Permission denied: this user may not read and write it; join the '4242' group (sudo usermod -aG 4242 \$USER, then log in again)." \
    "$(reason)"
  chgrp 0 "$pty"
  access_as "$TEST_TMP/group"
  expect_equal "a device of root's alone" \
    "Permission denied: this user may not read and write it; only root may open it." \
    "$(reason)"
  rm -rf "$shared"
fi
finish
