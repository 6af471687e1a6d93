#!/usr/bin/env bash
# The layout at 96, 144 and 192 DPI, as the window itself reports its DPI:
# every control inside the client area, no two overlapping and no text wider
# than its control, nor an entry of the port list wider than the dropped
# list. The adapter is chosen, beside a port with one of the longest names
# a driver gives.
source "$(dirname "$0")/lib.sh"
add_adapter_port
add_usb_port COM3 10C4 EA70 0042 "Silicon Labs Dual CP2105 USB to UART Bridge: Enhanced COM Port (COM3)"
for dpi in 96 144 192; do
  start_display "$dpi"
  start_window
  expect_layout "$dpi"
  screenshot "layout-$dpi-dpi"
  if [ "$dpi" == 96 ]; then
    driver drop-ports >/dev/null
    screenshot port-list-dropped 120
    driver click $IDC_REFRESH >/dev/null  # the list closes
  fi
  close_window
  kill "$XVFB_PID" 2>/dev/null || true
done
finish
