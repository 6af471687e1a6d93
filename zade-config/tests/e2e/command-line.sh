#!/usr/bin/env bash
# The forms for scripts: one-shot mode settings, the port for the dialogue,
# the port list and bad command lines.
source "$E2E_RUNNER"
source "$(dirname "$0")/screens.sh"

declare -A mode_line=([500]=' 1    ( 500 kbit/s - D-CAN and PT-CAN )' [100]=' 9    ( 100 kbit/s - K-CAN )'
  [off]=' 0    ( CAN OFF )')
declare -A request=([500]='81 00 00 01 82' [100]='81 00 00 09 8A' [off]='81 00 00 00 81')
for mode in 500 100 off; do
  start_sim 2 --log "$TEST_TMP/received"
  run_piped zade-config '' --port COM2 --mode "$mode"
  expect_equal "--mode $mode: exit status" 0 "$status"
  expect_output "--mode $mode" "COM2: CAN BUS mode = ${mode_line[$mode]}\n"
  expect_output "--mode $mode: nothing on the error stream" "" err
  stop_sim
  expect_equal "--mode $mode: bytes on the line" "${request[$mode]}" "$(cat "$TEST_TMP/received")"
done

start_sim 12 --log "$TEST_TMP/received"
run_piped zade-config '' -p com12 -m OFF
expect_equal "COM12: exit status" 0 "$status"
expect_output "COM12" "COM12: CAN BUS mode = ${mode_line[off]}\n"
stop_sim
expect_equal "COM12: bytes on the line" "81 00 00 00 81" "$(cat "$TEST_TMP/received")"

start_sim 1 --reply-byte3 F6
run_piped zade-config '' --port=COM1 --mode=500
expect_equal "another mode reported: exit status" 3 "$status"
expect_output "another mode reported" "COM1: CAN BUS mode = ${mode_line[100]}\n"
expect_output "another mode reported: what was asked" "Asked for CAN BUS mode = ${mode_line[500]}\n" err
stop_sim

start_sim 1 --silent
started=$SECONDS
run_piped zade-config '' --port COM1 --mode 100
expect_equal "silent adapter: exit status" 1 "$status"
expect_output "silent adapter" "Error, adapter not conected!!!\n" err
expect_equal "silent adapter: gives up within 15 s" yes "$( ((SECONDS - started < 15)) && echo yes || echo no)"
stop_sim

# Five bytes that are not the request's echo: a line that babbles, and a
# reply that comes without its echo, as a late reply of an earlier run would.
for case in "--babble|55 55 55 55 55" "--no-echo|81 00 00 F6 77"; do
  start_sim 1 "${case%|*}" --log "$TEST_TMP/received"
  run_piped zade-config '' --port COM1 --mode 100
  stop_sim
  expect_equal "${case%|*}: exit status" 1 "$status"
  expect_output "${case%|*}: what was sent and read" \
    "No echo of the request: sent 81 00 00 09 8A, read ${case#*|}\n" err
  expect_equal "${case%|*}: nothing sent after the request" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"
done

# A port number that leads nowhere (/dev/ttyUSB199 natively).
run_piped zade-config '' --port COM200 --mode 100
expect_equal "missing port: exit status" 1 "$status"
expect_equal "missing port: the open error, then why" \
  "Error: COM200 in use or does not exist.|$MISSING_PORT_REASON" "$(tr -d '\r' <"$TEST_TMP/err" | paste -sd'|')"

# Bad command lines: a message and the hint, nothing opened or sent. Each C
# runtime's option reader refuses them in its own way; the messages are the
# same.
start_sim 1 --log "$TEST_TMP/received"
declare -A refusal=(
  ["--mode 400 --port COM1"]="'400' is no CAN bus mode: give 500, 100 or off"
  ["--port COM1 --mode 500 extra"]="unexpected argument 'extra'"
  ["--port COM1 -m 500 -m 100"]="option '--mode' given twice"
  ["--list-ports --mode 500"]="'--list-ports' goes with no '--mode' or '--port'"
  ["--port COM1 --mode"]="option '--mode' needs a value"
  ["-m"]="option '--mode' needs a value"
  ["--bogus"]="unrecognized option '--bogus'"
  ["--=x"]="unrecognized option '--'"
  ["-lx"]="invalid option -- 'x'"
  ["-x -l"]="invalid option -- 'x'"
  ["--help=yes"]="option '--help' takes no value"
  ["--li=1"]="option '--list-ports' takes no value"
  ["-l -l"]="option '--list-ports' given twice"
  ["-- -h"]="unexpected argument '-h'"
  ["-"]="unexpected argument '-'"
)
for args in "${!refusal[@]}"; do expect_refused zade-config 2 "${refusal[$args]}" "$args"; done
stop_sim
expect_equal "bad command lines: nothing sent" "" "$(cat "$TEST_TMP/received" 2>/dev/null)"

start_sim 4 --log "$TEST_TMP/received"
run_piped zade-config '1\n9\n' --port COM4
expect_equal "--port alone: exit status" 0 "$status"
expect_output "--port alone skips the port question" \
  "$BANNER$MENU_ANSWER$CAN_MODE_SCREEN$(ok_screen ' 9' '    ( 100 kbit/s - K-CAN )')"
stop_sim
expect_equal "--port alone: bytes on the line" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"

run_piped zade-config '' --list-ports
expect_equal "--list-ports: exit status" 0 "$status"
tr -d '\r' <"$TEST_TMP/out" >"$TEST_TMP/list"
expect_equal "--list-ports: a name, a tab and a description a line" "" \
  "$(grep -v $'^[^\t]\+\t.\+$' "$TEST_TMP/list" || true)"
if ((${#LISTED_TEST_PORTS[@]} > 0)); then
  expect_equal "--list-ports: the test ports, in number order" "${LISTED_TEST_PORTS[*]}" \
    "$(cut -f1 "$TEST_TMP/list" | grep -xF "$(printf '%s\n' "${LISTED_TEST_PORTS[@]}")" | paste -sd' ')"

  # None of them is on USB, so there is no port to choose.
  start_sim 1 --log "$TEST_TMP/received"
  run_piped zade-config '' --mode 500
  expect_equal "--mode without a USB port: exit status" 1 "$status"
  expect_equal "--mode without a USB port: why, then the list" \
    "zade-config: no USB serial port found; name the port with --port." \
    "$(tr -d '\r' <"$TEST_TMP/err" | head -1)"
  stop_sim
  expect_equal "--mode without a USB port: nothing sent" "" "$(cat "$TEST_TMP/received" 2>/dev/null)"
fi
finish
