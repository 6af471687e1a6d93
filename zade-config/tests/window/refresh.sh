#!/usr/bin/env bash
# A device added while the window is open: Refresh reads the list again and
# chooses its port, the only USB port now. (Wine sends no WM_DEVICECHANGE for
# a device written into its registry.)
source "$(dirname "$0")/lib.sh"
trap 'remove_usb_port 0403 6001 A12345; window_cleanup' EXIT
start_display
start_window
expect_equal "before: no USB port, nothing chosen" "" "$(driver ports | grep '^\*' || true)"
screenshot refresh-before
add_usb_port COM12 0403 6001 A12345 "USB Serial Port (COM12)"
driver click $IDC_REFRESH >/dev/null
sleep 1
expect_equal "after Refresh: the new USB port, chosen" \
  "* COM12 - USB Serial Port (COM12) [USB\\VID_0403&PID_6001&REV_0600]" \
  "$(driver ports | grep '^\*' || true)"
screenshot refresh-after
close_window
finish
