#!/usr/bin/env bash
# Standard streams that cannot take the output: a full device, and streams
# the caller closed. What could not be written is reported and ends the forms
# with 1; nothing meant for the screen reaches the adapter.
source "$E2E_RUNNER"

# run_to OUT ERR ARG...: the program with no input, its output streams sent
# where OUT and ERR say (a file, or - for closed); status in $status.
run_to() {
  local out=$1 err=$2
  shift 2
  program_command zade-config
  local redirect=()
  [ "$out" = - ] && redirect+=('>&-') || redirect+=(">'$out'")
  [ "$err" = - ] && redirect+=('2>&-') || redirect+=("2>'$err'")
  set +e
  eval 'timeout 60 "${PIPED_PREFIX[@]}" "${PROGRAM[@]}" "$@" </dev/null' "${redirect[*]}"
  status=$?
  set -e
}
# expect_write_error WHAT REASON: the last run ended with 1, and said why
# first on the error stream.
expect_write_error() {
  expect_equal "$1: exit status" 1 "$status"
  expect_equal "$1: says so" "zade-config: write error: $2" \
    "$(tr -d '\r' <"$TEST_TMP/err" | head -1)"
}

full="No space left on device"
for form in --version --help; do
  run_to /dev/full "$TEST_TMP/err" "$form"
  expect_write_error "$form >/dev/full" "$full"
done
run_piped zade-config '' --list-ports
if [ -s "$TEST_TMP/out" ]; then
  run_to /dev/full "$TEST_TMP/err" --list-ports
  expect_write_error "--list-ports >/dev/full" "$full"
else
  echo "skipped here: --list-ports >/dev/full (this machine has no serial port to list)"
fi
run_to "$TEST_TMP/out" /dev/full --bogus
expect_equal "a bad command line 2>/dev/full: exit status" 1 "$status"

# The adapter took the mode, but the script is not told so: 1.
start_sim 2 --log "$TEST_TMP/received"
run_to /dev/full "$TEST_TMP/err" --port COM2 --mode 100
expect_write_error "--mode >/dev/full" "$full"
stop_sim
expect_equal "--mode >/dev/full: the mode was sent" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"

if [ -z "${CLOSED_STREAMS_REACH_PROGRAM:-}" ]; then
  echo "skipped here: closed streams (this runner cannot start the program with them closed)"
  finish
  exit
fi
start_sim 2 --log "$TEST_TMP/received"
run_to - "$TEST_TMP/err" --port COM2 --mode 100
stop_sim
expect_write_error "--mode >&-" "Bad file descriptor"
expect_equal "--mode >&-: the adapter gets the request only" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"

start_sim 2 --log "$TEST_TMP/received" --reply-byte3 F6
run_to "$TEST_TMP/out" - --port COM2 --mode 500
stop_sim
expect_equal "another mode 2>&-: exit status" 1 "$status"
expect_equal "another mode 2>&-: the adapter gets the request only" "81 00 00 01 82" \
  "$(cat "$TEST_TMP/received")"

start_sim 2 --log "$TEST_TMP/received"
program_command zade-config
set +e
printf '1\n9\n' | timeout 60 "${PIPED_PREFIX[@]}" "${PROGRAM[@]}" --port COM2 >&- 2>&-
status=$?
set -e
stop_sim
expect_equal "the dialogue >&- 2>&-: exit status" 0 "$status"
expect_equal "the dialogue >&- 2>&-: the adapter gets the request only" "81 00 00 09 8A" \
  "$(cat "$TEST_TMP/received")"
finish
