#!/usr/bin/env bash
# A port Windows will not open, and a port with nothing behind it: the open
# error and its reason.
source "$(dirname "$0")/lib.sh"
trap 'rmdir "$(port_link 12)" 2>/dev/null || true; window_cleanup' EXIT
start_display
add_adapter_port
# As root no program keeps a port from another under Wine: root opens a pty
# whatever its exclusive flag, and Wine does not enforce the share mode of a
# serial port. Behind COM12 stands what Windows will not open, a folder, and
# it reports access denied, as for a port another program holds.
mkdir "$(port_link 12)"
start_window
expect_equal "a port another program holds" \
  "Error: COM12 in use or does not exist.|Access denied: another program holds it.|error icon" \
  "$(write_mode $IDC_MODE_100 | paste -sd'|')"
screenshot busy
# A port the prefix maps to nothing: Wine gives no reason Windows would.
rmdir "$(port_link 12)"
driver click $IDOK >/dev/null
expect_equal "a port with nothing behind it" "Error: COM12 in use or does not exist.|error icon" \
  "$(driver wait-result 30000 | paste -sd'|')"
screenshot missing
close_window
finish
