#!/usr/bin/env bash
# Devices that come and go while the window is open. Windows tells of them
# with WM_DEVICECHANGE (some drivers with DBT_DEVNODES_CHANGED alone), which
# Wine does not send for a device written into its registry: the driver sends
# it. The list is read again and chooses the new port, the only USB port now;
# Refresh reads it again once the port has gone. The window answers only
# where Windows asks for an answer.
source "$(dirname "$0")/lib.sh"
DBT_DEVNODES_CHANGED=7 DBT_DEVICEQUERYREMOVE=32769
start_display
start_window
expect_equal "before: no USB port, nothing chosen" "" "$(driver ports | grep '^\*' || true)"
screenshot refresh-before
add_adapter_port
expect_equal "a device change is news: no answer" 0 "$(driver device-change $DBT_DEVNODES_CHANGED)"
sleep 2
expect_equal "after the device change: the new USB port, chosen" \
  "* $ADAPTER_PORT_ENTRY" \
  "$(driver ports | grep '^\*' || true)"
screenshot refresh-after
expect_equal "a query to remove a device is granted" 1 "$(driver device-change $DBT_DEVICEQUERYREMOVE)"
remove_added_usb_ports
driver click $IDC_REFRESH >/dev/null
sleep 1
expect_equal "after Refresh: the port that went is gone" "" \
  "$(driver ports | grep -F "${ADAPTER_PORT_ENTRY#COM12 - }" || true)"
close_window
finish
