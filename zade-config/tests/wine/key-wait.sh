#!/usr/bin/env bash
# The "Press Enter..." wait in a real console: it lasts until a key is
# pressed, and a key typed before the prompt ends it at once.
source "$SOURCE_DIR/tests/wine/lib.sh"

run_in_console zade-config.exe
console_wait_for "3.Enter COM port number '1,2,3...':" 60 || echo "FAIL: no port question"
console_keys x Enter
console_wait_for "0 - Exit" 20
console_keys 1 Enter
console_wait_for "Error: COMx in use or does not exist." 20 || echo "FAIL: no open error"
console_wait_for "Press Enter..." 20
expect_equal "waits while no key is pressed" running "$(console_wait_exit 3)"
screen=$(console_screen)
expect_equal "the banner is at the top of the cleared screen" \
  "                   ORX D-CAN USB INTERFACE" "$(head -n 1 <<<"$screen")"
console_keys a
expect_equal "a key ends the wait (exit status is the low byte of -1)" 255 "$(console_wait_exit 15)"
tmux -L "$TMUX_SOCKET" kill-server
"$WINESERVER" -k 2>/dev/null || true
rm -f "$TEST_TMP/console-status"

# The adapter stays silent for some seconds; the key typed meanwhile counts.
start_sim 2 --silent
run_in_console zade-config.exe
console_wait_for "3.Enter COM port number '1,2,3...':" 60
console_keys 2 Enter
console_wait_for "0 - Exit" 20
console_keys 1 Enter
console_wait_for "Input CAN BUS MODE :" 20
console_keys 9 Enter q
console_wait_for "Error, adapter not conected!!!" 30 || echo "FAIL: no no-answer text"
expect_equal "a key typed before the prompt ends the wait at once" 255 "$(console_wait_exit 5)"
finish
