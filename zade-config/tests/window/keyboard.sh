#!/usr/bin/env bash
# The keyboard alone: each mnemonic reaches its control, Enter is Write, Tab
# goes through the controls in reading order, Alt+C and Esc close.
source "$(dirname "$0")/lib.sh"
start_display
add_adapter_port
start_sim 12 --log "$TEST_TMP/received"
start_window
focus_window
# Every mnemonic: Alt and the letter or digit of each control.
keys alt+p
expect_equal "Alt+P: the port list" "$IDC_PORT" "$(driver focus)"
keys alt+u
expect_equal "Alt+U: the result" "$IDC_RESULT" "$(driver focus)"
keys alt+o
expect_equal "Alt+O: CAN off" "$IDC_MODE_OFF" "$(driver focus)"
keys alt+5
expect_equal "Alt+5: 500 kbit/s" "$IDC_MODE_500" "$(driver focus)"
keys alt+w
expect_equal "Alt+5, Alt+W: the mode written" \
  "COM12: CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )|information icon" \
  "$(driver wait-result 30000 | paste -sd'|')"
add_usb_port COM3 067B 2303 B678 "Prolific USB-to-Serial Comm Port (COM3)"
keys alt+r
sleep 1
expect_equal "Alt+R: the list read again" 1 "$(driver ports | grep -c "^  COM3 - Prolific" || true)"
keys alt+1 Return
expect_equal "Alt+1, Enter: the mode written" \
  "COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )|information icon" \
  "$(driver wait-result 30000 | paste -sd'|')"
expect_equal "the requests" "81 00 00 01 82 81 00 00 09 8A" "$(cat "$TEST_TMP/received")"
order=()
for _ in 1 2 3 4 5 6; do
  keys Tab
  order+=("$(driver focus)")
done
# From Write, where the run leaves the focus: the result, Close, the port
# list, Refresh, the chosen mode, Write.
expect_equal "Tab: the reading order" "$IDC_RESULT $IDCANCEL $IDC_PORT $IDC_REFRESH $IDC_MODE_100 $IDOK" \
  "${order[*]}"
close_by alt+c
expect_equal "Alt+C ends the program with 0" 0 "$window_status"
start_window
focus_window
close_by Escape
expect_equal "Esc ends the program with 0" 0 "$window_status"
finish
