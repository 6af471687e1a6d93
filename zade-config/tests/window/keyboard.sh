#!/usr/bin/env bash
# The keyboard alone: a mnemonic chooses the mode, Enter is Write, Tab goes
# through the controls in reading order, Esc closes.
source "$(dirname "$0")/lib.sh"
start_display
add_adapter_port
start_sim 12 --log "$TEST_TMP/received"
start_window
# The X server's keyboard focus on the window; then keys come as typed
# (XTEST), which Wine takes as it takes a keyboard's.
xdotool windowfocus "$(xdotool search --name "CAN bus mode" | head -1)" || true
sleep 0.5
# keys KEY...: typed, a moment for each to arrive.
keys() {
  local key
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.3
  done
}
keys alt+1 Return
expect_equal "Alt+1, Enter: the mode written" \
  "COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )|information icon" \
  "$(driver wait-result 30000 | paste -sd'|')"
expect_equal "Alt+1, Enter: the request" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"
order=()
for _ in 1 2 3 4 5 6; do
  keys Tab
  order+=("$(driver focus)")
done
# From Write, where the run leaves the focus: the result, Close, the port
# list, Refresh, the chosen mode, Write.
expect_equal "Tab: the reading order" "$IDC_RESULT $IDCANCEL $IDC_PORT $IDC_REFRESH $IDC_MODE_100 $IDOK" \
  "${order[*]}"
keys Escape
for _ in $(seq 100); do
  kill -0 "$WINDOW_PID" 2>/dev/null || break
  sleep 0.1
done
window_status=running
if ! kill -0 "$WINDOW_PID" 2>/dev/null; then
  window_status=0
  wait "$WINDOW_PID" || window_status=$?
fi
WINDOW_PID=
expect_equal "Esc ends the program with 0" 0 "$window_status"
finish
