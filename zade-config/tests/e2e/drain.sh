#!/usr/bin/env bash
# Bytes the device sent before the exchange are discarded, and a line that
# never falls silent does not keep the program from going on.
source "$E2E_RUNNER"
source "$(dirname "$0")/screens.sh"

start_sim 2 --stale 7 --log "$TEST_TMP/received"
run_piped zade-config '2\n1\n9\n'
expect_equal "stale bytes: exit status" 0 "$status"
expect_output "stale bytes: the reply is still read right" \
  "$UP_TO_MODE$(ok_screen ' 9' '    ( 100 kbit/s - K-CAN )')"
expect_equal "stale bytes: bytes on the line" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"
stop_sim

start_sim 2 --babble
started=$SECONDS
run_piped zade-config '2\n1\n9\n'
expect_equal "babbling line: the program ends (no timeout)" 0 "$status"
expect_equal "babbling line: ends within 20 s" yes "$( ((SECONDS - started < 20)) && echo yes || echo no)"
finish
