#!/usr/bin/env bash
# The adapter reports another mode: the line of the mode it reports, then the
# one asked for, with the error icon.
source "$(dirname "$0")/lib.sh"
start_display
add_adapter_port
start_sim 12 --reply-byte3 FE
start_window
expect_equal "another mode reported" \
  "COM12: CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )|Asked for CAN BUS mode =  9    ( 100 kbit/s - K-CAN )|error icon" \
  "$(write_mode $IDC_MODE_100 | paste -sd'|')"
screenshot other-mode
close_window
finish
