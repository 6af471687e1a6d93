#!/usr/bin/env bash
# The window in the language of a locale (languages.sh):
#   language.sh LOCALE
# every control's text; each outcome's lines; the keyboard alone, with the
# language's mnemonics; the layout at 96, 144 and 192 DPI.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/languages.sh"
WINDOW_LOCALE=$1
use_language "$WINDOW_LOCALE"
name=${WINDOW_LOCALE%%.*}
trap 'rmdir "$(port_link 12)" 2>/dev/null || true; window_cleanup' EXIT

# expect_result WHAT KEY ICON RESULT: the result (driver result), in plain
# text, is the row's KEY with ICON.
expect_result() {
  expect_equal "$name: $1" "${LANGUAGE_TEXT[$2]}|$3" "$(plain <<<"$4" | paste -sd'|')"
}
# run_outcome KEY ICON SIM-OPTION...: the adapter as the options make it; then
# 100 kbit/s written and the result.
run_outcome() {
  local key=$1 icon=$2
  shift 2
  stop_sim
  start_sim 12 "$@"
  expect_result "$key" "$key" "$icon" "$(write_mode $IDC_MODE_100)"
  screenshot "$name-$key"
}

start_display
add_adapter_port
start_sim 12 --log "$TEST_TMP/received"
start_window
expected=$(for key in caption port refresh group mode-500 mode-100 mode-off write result close; do
  echo "${LANGUAGE_TEXT[$key]}"
done)
expect_equal "$name: the caption, then each control's text" "$expected" "$(driver texts | plain)"

expect_result "done" done "information icon" "$(write_mode $IDC_MODE_100)"
expect_equal "$name: the request" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"
screenshot "$name-done"
run_outcome other-mode "error icon" --reply-byte3 FE
run_outcome no-echo "error icon" --babble
stop_sim
start_sim 12 --silent
driver click $IDOK >/dev/null
expect_result "during the run" writing "no icon" "$(driver result)"
screenshot "$name-writing"
expect_result "no answer" no-answer "error icon" "$(driver wait-result 30000)"
screenshot "$name-no-answer"
# What Windows will not open, as a port another program holds
# (busy-and-missing.sh); then a port the prefix maps to nothing, for which
# Wine gives no reason.
stop_sim
mkdir "$(port_link 12)"
driver click $IDOK >/dev/null
expect_result "a port another program holds" busy "error icon" "$(driver wait-result 30000)"
screenshot "$name-busy"
rmdir "$(port_link 12)"
driver click $IDOK >/dev/null
expect_result "a port with nothing behind it" missing "error icon" "$(driver wait-result 30000)"

# The keyboard alone: each mnemonic reaches its control or presses its button.
start_sim 12 --log "$TEST_TMP/keyed"
focus_window
key_of() { echo "alt+$(mnemonic "${LANGUAGE_TEXT[$1]}")"; }
for control in port:$IDC_PORT result:$IDC_RESULT mode-off:$IDC_MODE_OFF mode-500:$IDC_MODE_500 \
  mode-100:$IDC_MODE_100; do
  keys "$(key_of "${control%:*}")"
  expect_equal "$name: $(key_of "${control%:*}"): ${control%:*}" "${control#*:}" "$(driver focus)"
done
keys "$(key_of write)"
expect_result "$(key_of write): written" done "information icon" "$(driver wait-result 30000)"
expect_equal "$name: the request by keys" "81 00 00 09 8A" "$(cat "$TEST_TMP/keyed")"
add_usb_port COM3 067B 2303 B678 "Prolific USB-to-Serial Comm Port (COM3)"
keys "$(key_of refresh)"
sleep 1
expect_equal "$name: $(key_of refresh): the list read again" 1 \
  "$(driver ports | grep -c "^  COM3 - Prolific" || true)"
close_by "$(key_of close)"
expect_equal "$name: $(key_of close) ends the program with 0" 0 "$window_status"
stop_sim

# The layout with this language's texts (layout.sh).
for dpi in 96 144 192; do
  start_display "$dpi"
  start_window
  expect_layout "$dpi" "$name"
  screenshot "$name-layout-$dpi-dpi"
  close_window
  kill "$XVFB_PID" 2>/dev/null || true
done
finish
