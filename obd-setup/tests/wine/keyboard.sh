#!/usr/bin/env bash
# obd-setup's final key at a real keyboard (a tmux console): the read waits
# with the prompt on screen and the key becomes the exit status: a character
# its byte value, a function or cursor key the lead byte of its two-byte code.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

windows_version win7
set_serial_key

# press_final_key KEY: runs obd-setup in a console, presses KEY (a tmux key
# name) at its prompt and leaves the exit status in $key_status.
press_final_key() {
  run_in_console obd-setup.exe
  expect_screen "Press any key to continue ..." 60
  expect_equal "waits for a key before $1" running "$(console_wait_exit 1)"
  console_keys "$1"
  key_status=$(console_wait_exit 30)
  console_close
}

press_final_key q
expect_equal "exit status after q" 113 "$key_status"
press_final_key Enter
expect_equal "exit status after Enter" 13 "$key_status"
press_final_key F1
expect_equal "exit status after F1" 0 "$key_status"
press_final_key F12
expect_equal "exit status after F12" 224 "$key_status"
# Wine's terminal console cannot tell the arrow keys from the keypad's cursor
# keys and reports the keypad's (a Windows console gives 224).
press_final_key Up
expect_equal "exit status after the up arrow" 0 "$key_status"
expect_equal "TxFIFO unchanged" "REG_DWORD 0x8" "$(serial_value TxFIFO)"
finish
