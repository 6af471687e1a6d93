#!/usr/bin/env bash
# An adapter that does not answer, and input that ends before the last answer.
source "$E2E_RUNNER"
source "$(dirname "$0")/screens.sh"

no_answer="$UP_TO_MODE\nError, adapter not conected!!!\nPress Enter..."
for behaviour in --silent --echo-only --no-echo; do
  start_sim 2 "$behaviour"
  started=$SECONDS
  run_piped zade-config '2\n1\n9\n'
  expect_equal "$behaviour: exit status (low byte of -1)" 255 "$status"
  expect_output "$behaviour: no-answer text" "$no_answer"
  expect_equal "$behaviour: gives up within 15 s" yes "$( ((SECONDS - started < 15)) && echo yes || echo no)"
  stop_sim
done

start_sim 2 --partial 3
run_piped zade-config '2\n1\n9\n'
expect_equal "partial reply: exit status" 255 "$status"
expect_output "partial reply: no-answer text" "$no_answer"
stop_sim

no_input_end="\nNo answer read: nothing was sent to the adapter.\n"
start_sim 2 --log "$TEST_TMP/received"
run_piped zade-config '2\n1\n'
expect_equal "input ends at the mode question: exit status" 255 "$status"
expect_output "input ends at the mode question" "${UP_TO_MODE%\\n}$no_input_end"
expect_equal "input ends at the mode question: nothing sent" "" "$(cat "$TEST_TMP/received" 2>/dev/null)"
stop_sim

run_piped zade-config '2\n5\n'
expect_equal "input ends at the menu: exit status" 255 "$status"
finish
