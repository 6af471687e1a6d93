#!/usr/bin/env bash
# A silent adapter: while the run waits, the window says what it writes where,
# keeps Write off and answers at once; then the no-answer error. Close during
# a run, and during a write that never returns.
source "$(dirname "$0")/lib.sh"
start_display
add_adapter_port
start_sim 12 --silent
start_window
driver click $IDC_MODE_OFF >/dev/null
driver click $IDOK >/dev/null
expect_equal "during the run: what is written where" "Writing CAN off to COM12...|no icon" \
  "$(driver result | paste -sd'|')"
screenshot silent-running
expect_equal "during the run: Write and the choices are off" "0 0 0" \
  "$(driver enabled $IDOK) $(driver enabled $IDC_PORT) $(driver enabled $IDC_MODE_500)"
# The best of three, so that a busy machine does not fail it: a window that
# waits for the run would take seconds each time.
answered=$(for _ in 1 2 3; do driver answers; done | sort -n | head -1)
expect_equal "during the run: the window answers within 100 ms" yes \
  "$( ((answered < 100)) && echo yes || echo "no, after $answered ms")"
expect_equal "the run still on after the measurement" "Writing CAN off to COM12...|no icon" \
  "$(driver result | paste -sd'|')"
expect_equal "no answer" "Error, adapter not conected!!!|error icon" "$(driver wait-result 30000 | paste -sd'|')"
screenshot silent-no-answer
expect_equal "after the run: Write is on again" 1 "$(driver enabled $IDOK)"

# Close during a run: the window ends once the run has, within its timeouts,
# and sends nothing more.
stop_sim
start_sim 12 --silent --log "$TEST_TMP/received"
driver click $IDOK >/dev/null
sleep 0.5
started=$SECONDS
close_window
expect_equal "Close during a run: the program ends with 0" 0 "$window_status"
expect_equal "Close during a run: within the run's timeouts" yes \
  "$( ((SECONDS - started < 10)) && echo yes || echo "no, after $((SECONDS - started)) s")"
expect_equal "Close during a run: nothing sent after the request" "81 00 00 00 81" \
  "$(cat "$TEST_TMP/received")"

# A write that never returns, as from a driver that never completes it:
# Close ends the program all the same, 5 s later.
stop_sim
start_sim 12 --stall-writes
start_window
driver click $IDC_MODE_OFF >/dev/null
driver click $IDOK >/dev/null
sleep 1
expect_equal "a stalled write: the run is on" "Writing CAN off to COM12...|no icon" \
  "$(driver result | paste -sd'|')"
started=$SECONDS
close_window
expect_equal "a stalled write: Close ends the program with 0" 0 "$window_status"
expect_equal "a stalled write: not before its 5 s" yes \
  "$( ((SECONDS - started >= 4)) && echo yes || echo "no, after $((SECONDS - started)) s")"
finish
