#!/usr/bin/env bash
# The only USB port is chosen at start; Write with 100 kbit/s sends the
# request and shows the mode the adapter reports, with the information icon.
source "$(dirname "$0")/lib.sh"
start_display
add_adapter_port
start_sim 12 --log "$TEST_TMP/received"
start_window
screenshot usb-port-chosen
expect_equal "the only USB port is chosen" \
  "* $ADAPTER_PORT_ENTRY" \
  "$(driver ports | grep '^\*')"
expect_equal "no mode chosen: Write is off" 0 "$(driver enabled $IDOK)"
expect_equal "the result after Write" \
  "COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )|information icon" "$(write_mode $IDC_MODE_100 | paste -sd'|')"
expect_equal "the request on COM12" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"
screenshot usb-port-written
close_window
expect_equal "Close ends the program with 0" 0 "$window_status"
finish
