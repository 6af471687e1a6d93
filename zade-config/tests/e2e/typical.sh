#!/usr/bin/env bash
# The Write config. path against an adapter that echoes and answers.
source "$E2E_RUNNER"
source "$(dirname "$0")/screens.sh"

start_sim 2 --log "$TEST_TMP/received"
run_piped zade-config '2\n1\n9\n'
expect_equal "typical run: exit status" 0 "$status"
expect_output "typical run" "$UP_TO_MODE$(ok_screen ' 9' '    ( 100 kbit/s - K-CAN )')"
expect_equal "typical run: bytes on the line" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"
stop_sim

start_sim 1
run_piped zade-config '1\n5\n1\n1\n'  # a menu answer the menu does not offer, then 1
expect_equal "mode 1: exit status" 0 "$status"
expect_output "mode 1 after menu answer 5" \
  "$PORT_QUESTION$BANNER$MENU_ANSWER$MENU_ANSWER$CAN_MODE_SCREEN$(ok_screen ' 1' '    ( 500 kbit/s - D-CAN and PT-CAN )')"
stop_sim

start_sim 3 --reply-byte3 00 --log "$TEST_TMP/received-A"
run_piped zade-config '3 1 A\n'
expect_equal "mode A: exit status" 0 "$status"
expect_output "reply byte 3 of 00 reports FF" "$UP_TO_MODE$(ok_screen FF '')"
expect_equal "mode A: bytes on the line" "81 00 00 11 92" "$(cat "$TEST_TMP/received-A")"
stop_sim

start_sim 4
run_piped zade-config '40\n'  # one line answers the port question and the menu
expect_equal "exit at once: exit status" 0 "$status"
expect_output "exit at once (COM4 opens, no key wait)" "$PORT_QUESTION$BANNER$MENU_ANSWER"
finish
