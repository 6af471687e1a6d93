# shellcheck shell=bash
# Sourced by the window's tests: zade-config-gui.exe under Wine in a headless
# X server of the test's own, driven from outside by window-driver.exe, a
# Win32 program of the tests in the same prefix. The test environment gives
# what tests/wine/lib.sh needs and WINDOW_DRIVER.
source "$SOURCE_DIR/tests/wine/lib.sh"

# IDs of window_ids.h.
IDC_PORT=1001 IDC_REFRESH=1002 IDC_MODE_500=1004 IDC_MODE_100=1005 IDC_MODE_OFF=1006
IDC_RESULT=1009 IDOK=1 IDCANCEL=2

WINDOW_PID=
window_cleanup() {
  [ -z "$WINDOW_PID" ] || kill "$WINDOW_PID" 2>/dev/null || true
  stop_runner
  [ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null || true
  cleanup
}
trap window_cleanup EXIT

# start_display [DPI]: an X server for this test alone, at DPI (96). The
# prefix's processes end first: Wine's desktop process, started by the first
# program of a server, keeps that program's display for good.
start_display() {
  # Gone for good before the next program starts: one that meets a server
  # still ending can fail.
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  start_xvfb "$TEST_TMP"
  prepare_prefix_for_windows
  local dpi=${1:-96}
  wine_quietly reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f
  # The session that reg started keeps the DPI it started with.
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
}

# add_adapter_port: the adapter, a USB serial device on COM12 as FTDI's
# driver registers it, and its entry in the port list.
ADAPTER_PORT_ENTRY="COM12 - USB Serial Port (COM12) - USB 0403:6001"
add_adapter_port() { add_ftdi_port COM12 0403 6001 A1B2C3D4 "USB Serial Port (COM12)"; }

# screenshot NAME [WIDER]: where WINDOW_SCREENSHOTS names a folder
# (scripts/window-screenshots), the window as it is now, in NAME.png there;
# with WIDER, with what drops from it (window_screenshot).
screenshot() {
  [ -n "${WINDOW_SCREENSHOTS:-}" ] || return 0
  window_screenshot "ORX D-CAN" "$WINDOW_SCREENSHOTS/$1.png" "${2:-}" && return 0
  echo "FAIL: no screenshot of $1"
  failures=$((failures + 1))
}

# driver COMMAND [ARG]: window-driver.exe's answer, without CRs.
driver() { timeout 60 "$WINE" "$WINDOW_DRIVER" "$@" | tr -d '\r'; }

# start_window: the window, once it is shown (a new prefix takes a while),
# in the language of WINDOW_LOCALE (English), whatever the test's own
# environment: Wine takes Windows' display language from LC_ALL.
start_window() {
  env -u LANGUAGE LC_ALL="${WINDOW_LOCALE:-en_US.UTF-8}" \
    "$WINE" "$BIN_DIR/zade-config-gui.exe" >/dev/null 2>&1 &
  WINDOW_PID=$!
  [ "$(driver find 60000)" = found ] || { echo "FAIL: the window did not come"; exit 1; }
}

# close_window: Close; the program's exit status lands in $window_status
# ("running" when it still runs after 15 s).
close_window() {
  driver click $IDCANCEL >/dev/null
  window_status=running
  for _ in $(seq 150); do
    if ! kill -0 "$WINDOW_PID" 2>/dev/null; then
      window_status=0
      wait "$WINDOW_PID" || window_status=$?
      break
    fi
    sleep 0.1
  done
  WINDOW_PID=
}

# write_mode ID: chooses a mode and presses Write; then the result once the
# run has ended.
write_mode() {
  driver click "$1" >/dev/null
  driver click $IDOK >/dev/null
  driver wait-result 30000
}

# focus_window: the X server's keyboard focus on the window; then keys come
# as typed (XTEST), which Wine takes as it takes a keyboard's.
focus_window() {
  xdotool windowfocus "$(xdotool search --name "ORX D-CAN" | head -1)" || true
  sleep 0.5
}

# keys KEY...: typed, a moment for each to arrive.
keys() {
  local key
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.3
  done
}

# close_by KEY...: the keys end the program; its status lands in
# $window_status ("running" when it still runs after 10 s).
close_by() {
  keys "$@"
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
}

# expect_layout DPI [WHAT]: with the adapter chosen, the window's layout
# (driver layout) at DPI, as the window itself reports its DPI, and no fault.
expect_layout() {
  local dpi=$1 what=${2:+$2: } adapter
  adapter=$(driver ports | grep -n "^[* ] $ADAPTER_PORT_ENTRY$" | cut -d: -f1)
  driver choose-port $((adapter - 1))
  driver layout >"$TEST_TMP/layout"
  cat "$TEST_TMP/layout"
  expect_equal "${what}the window at $dpi DPI" yes \
    "$(grep -q "^window at $dpi DPI," "$TEST_TMP/layout" && echo yes || echo no)"
  expect_equal "${what}at $dpi DPI" "0 faults" "$(tail -1 "$TEST_TMP/layout" | grep -o '[0-9]* faults')"
}
