#!/usr/bin/env bash
# A silent adapter: while the run waits, the window says what it writes where,
# keeps Write off and answers at once; then the no-answer error.
source "$(dirname "$0")/lib.sh"
trap 'remove_usb_port 0403 6001 A12345; window_cleanup' EXIT
start_display
add_usb_port COM12 0403 6001 A12345 "USB Serial Port (COM12)"
start_sim 12 --silent
start_window
driver click $IDC_MODE_OFF >/dev/null
driver click $IDOK >/dev/null
expect_equal "during the run: what is written where" "Writing CAN off to COM12...|no icon" \
  "$(driver result | paste -sd'|')"
screenshot silent-running
expect_equal "during the run: Write and the choices are off" "0 0 0" \
  "$(driver enabled $IDOK) $(driver enabled $IDC_PORT) $(driver enabled $IDC_MODE_500)"
answered=$(driver answers)
expect_equal "during the run: the window answers within 100 ms" yes \
  "$( ((answered < 100)) && echo yes || echo "no, after $answered ms")"
expect_equal "no answer" "Error, adapter not conected!!!|error icon" "$(driver wait-result 30000 | paste -sd'|')"
screenshot silent-no-answer
expect_equal "after the run: Write is on again" 1 "$(driver enabled $IDOK)"
close_window
finish
