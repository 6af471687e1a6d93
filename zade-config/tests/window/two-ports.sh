#!/usr/bin/env bash
# Two USB ports: none is chosen, and Write waits for a choice.
source "$(dirname "$0")/lib.sh"
start_display
add_adapter_port
add_usb_port COM3 067B 2303 B678 "Prolific USB-to-Serial Comm Port (COM3)"
start_window
expect_equal "nothing chosen" "" "$(driver ports | grep '^\*' || true)"
screenshot two-ports
driver click $IDC_MODE_100 >/dev/null
expect_equal "a mode, no port: Write is off" 0 "$(driver enabled $IDOK)"
index=$(driver ports | grep -n 'COM3 - ' | cut -d: -f1)
driver choose-port $((index - 1)) >/dev/null
expect_equal "a port chosen: Write is on" 1 "$(driver enabled $IDOK)"
close_window
finish
