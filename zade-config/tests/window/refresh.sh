#!/usr/bin/env bash
# A device added while the window is open: Refresh reads the list again and
# chooses its port, the only USB port now. (Wine sends no WM_DEVICECHANGE for
# a device written into its registry.)
source "$(dirname "$0")/lib.sh"
start_display
start_window
expect_equal "before: no USB port, nothing chosen" "" "$(driver ports | grep '^\*' || true)"
screenshot refresh-before
add_adapter_port
driver click $IDC_REFRESH >/dev/null
sleep 1
expect_equal "after Refresh: the new USB port, chosen" \
  "* $ADAPTER_PORT_ENTRY" \
  "$(driver ports | grep '^\*' || true)"
screenshot refresh-after
close_window
finish
