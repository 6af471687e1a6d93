#!/usr/bin/env bash
# The layout at 96, 144 and 192 DPI: every control inside the client area,
# no two overlapping and no text wider than its control.
source "$(dirname "$0")/lib.sh"
for dpi in 96 144 192; do
  start_display "$dpi"
  start_window
  expect_equal "at $dpi DPI" "0 faults" "$(driver layout | tail -1 | grep -o '[0-9]* faults')"
  driver layout | grep -v faults || true
  screenshot "layout-$dpi-dpi"
  close_window
  kill "$XVFB_PID" 2>/dev/null || true
done
finish
