#!/usr/bin/env bash
# scripts/demo at a terminal (a tmux console): zade-config against the
# simulated adapter or a given device path, under Wine or natively
# (--native), the offer of obd-setup, and what it leaves behind - nothing
# running and the terminal settings as they were, after Ctrl+C too; and the
# window (--window) without a display.
source "$SOURCE_DIR/tests/wine/lib.sh"

DEMO=$SOURCE_DIR/scripts/demo
DEMO_DIR=$SOURCE_DIR/build/demo
# Whatever the demo leaves, the test does not.
trap 'cleanup; WINEPREFIX=$DEMO_DIR/wine-prefix "$WINESERVER" -k 2>/dev/null || true' EXIT

# start_demo [DEVICE]: runs the demo in the console, taking the console's
# terminal settings before and after it to $TEST_TMP/tty-before and -after.
start_demo() {
  # shellcheck disable=SC2016 # expanded by the console's shell
  console_run bash -c 'stty -g >"$1"; "${@:3}"; status=$?; stty -g >"$2"; exit $status' \
    _ "$TEST_TMP/tty-before" "$TEST_TMP/tty-after" "$DEMO" "$@"
}

# demo_sims, demo_wine: the demo's simulator and the Wine processes of its
# prefix, one process id a line.
demo_sims() {
  local p
  for p in /proc/[0-9]*; do
    if tr '\0' '\n' <"$p/cmdline" 2>/dev/null | grep -qxF "$DEMO_DIR/com1"; then echo "${p#/proc/}"; fi
  done
}
demo_wine() { WINEPREFIX=$DEMO_DIR/wine-prefix prefix_pids; }

# running LIST_FUNCTION: yes when it lists a process.
running() { [ -n "$("$1")" ] && echo yes || echo no; }

# expect_nothing_running NAME: no simulator and no Wine process of the demo
# is left (within a few seconds).
expect_nothing_running() {
  local deadline=$((SECONDS + 15))
  while [ -n "$(demo_sims)$(demo_wine)" ] && ((SECONDS < deadline)); do sleep 0.2; done
  expect_equal "$1: no simulator left" no "$(running demo_sims)"
  expect_equal "$1: no Wine process of the demo prefix left" no "$(running demo_wine)"
}

# expect_left_clean NAME: the demo has ended with nothing of it running and
# the console's terminal settings as they were before it.
expect_left_clean() {
  expect_nothing_running "$1"
  expect_equal "$1: terminal settings restored" "$(cat "$TEST_TMP/tty-before")" \
    "$(cat "$TEST_TMP/tty-after")"
}

start_demo
answer_zade_config 1 9
expect_screen "CAN BUS mode =  9    ( 100 kbit/s - K-CAN )"
expect_equal "the simulator runs meanwhile" yes "$(running demo_sims)"
expect_equal "Wine runs meanwhile" yes "$(running demo_wine)"
console_keys Enter
expect_screen "zade-config.exe ended with exit status 0."
expect_screen "The simulated adapter received: 81 00 00 09 8A"
expect_screen "Run obd-setup.exe? [y/N]"
expect_nothing_running "at the obd-setup question"
console_keys n Enter
expect_equal "obd-setup declined: the demo's status" 0 "$(console_wait_exit 30)"
expect_left_clean "obd-setup declined"
console_close

start_demo --native
answer_zade_config 1 9
expect_screen "CAN BUS mode =  9    ( 100 kbit/s - K-CAN )"
expect_equal "native: no Wine runs" no "$(running demo_wine)"
console_keys Enter
expect_screen "zade-config ended with exit status 0."
expect_screen "The simulated adapter received: 81 00 00 09 8A"
expect_equal "native: the demo's status" 0 "$(console_wait_exit 30)"
expect_left_clean "native"
console_close

start_demo
expect_screen "3.Enter COM port number '1,2,3...':" 120
console_keys 1 Enter
expect_screen "0 - Exit"
console_keys 0 Enter
expect_screen "The simulated adapter received: nothing"
expect_screen "Run obd-setup.exe? [y/N]"
console_keys y Enter
expect_screen "SubKey 'SYSTEM\CurrentControlSet\Services\Serial'" 60
expect_screen "Press any key to continue ..."
console_keys q
expect_screen "obd-setup.exe ended with exit status 113."
expect_equal "obd-setup accepted: the demo's status" 0 "$(console_wait_exit 30)"
expect_left_clean "obd-setup accepted"
console_close

start_demo
expect_screen "3.Enter COM port number '1,2,3...':" 120
console_keys C-c
expect_equal "Ctrl+C in zade-config: the demo's status" 130 "$(console_wait_exit 30)"
expect_left_clean "Ctrl+C in zade-config"
console_close

# A device path takes the simulator's place; here it is one the test runs.
start_sim_at "$TEST_TMP/adapter" --log "$TEST_TMP/received"
start_demo "$TEST_TMP/adapter"
answer_zade_config 1 1
expect_screen "CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )"
expect_equal "with a device path: no simulator of the demo's own" no "$(running demo_sims)"
console_keys Enter
expect_screen "Run obd-setup.exe? [y/N]"
console_keys Enter
expect_equal "with a device path: the demo's status" 0 "$(console_wait_exit 30)"
expect_equal "with a device path: bytes the device received" "81 00 00 01 82" "$(cat "$TEST_TMP/received")"
expect_left_clean "with a device path"
console_close
stop_sim

# demo_status [ARG...]: the demo's exit status without a terminal; its
# messages land in $TEST_TMP/out.
demo_status() { "$DEMO" "$@" </dev/null >"$TEST_TMP/out" 2>&1 && echo 0 || echo $?; }

expect_equal "a device path that does not exist: status" 1 "$(demo_status "$TEST_TMP/no-such-device")"
expect_equal "a device path that does not exist: message" \
  "scripts/demo: $TEST_TMP/no-such-device does not exist: is the adapter plugged in? (ls /dev/ttyUSB* lists USB serial ports)" \
  "$(cat "$TEST_TMP/out")"
expect_equal "no terminal: status" 1 "$(demo_status)"
expect_equal "no terminal: message" \
  "scripts/demo: needs a terminal: the programs read the keyboard (run it without redirection)" \
  "$(cat "$TEST_TMP/out")"

# The window without a display: in a headless X server, Alt+1 and Enter, a
# screenshot of each step.
shots=$DEMO_DIR/window-screenshots
rm -rf "$shots"
expect_equal "--window without a display: status" 0 "$(DISPLAY='' demo_status --window)"
expect_equal "--window: the window's status, and the bytes the adapter received" \
  "zade-config-gui.exe ended with exit status 0.|The simulated adapter received: 81 00 00 09 8A" \
  "$(tail -n 2 "$TEST_TMP/out" | paste -sd'|')"
for step in 1-port-chosen 2-mode-chosen 3-written; do
  expect_equal "--window: a screenshot of $step, named" "yes yes" \
    "$(grep -qxF "  $shots/$step.png" "$TEST_TMP/out" && echo yes || echo no)\
 $([ "$(head -c 4 "$shots/$step.png" 2>/dev/null | od -An -tx1 | xargs)" == "89 50 4e 47" ] &&
      echo yes || echo no)"
done
expect_nothing_running "--window"
finish
