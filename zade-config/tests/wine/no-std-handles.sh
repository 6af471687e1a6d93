#!/usr/bin/env bash
# The Windows program started with no standard handles at all: what it would
# print goes nowhere, and the adapter receives the request only. With the
# result line unwritten, --mode ends with 1.
#   no-std-handles.sh LAUNCHER
source "$SOURCE_DIR/tests/wine/lib.sh"
launcher=$1

# run_without_handles INPUT ARG...: zade-config through the launcher, with
# INPUT (a file, or - for none) as its standard input; status in $status.
run_without_handles() {
  local input=()
  [ "$1" = - ] || input=(--input "Z:$1")  # Wine's Z: is the root
  set +e
  timeout 60 "$WINE" "$launcher" "${input[@]}" "$BIN_DIR/zade-config.exe" "${@:2}" \
    >"$TEST_TMP/out" 2>&1
  status=$?
  set -e
}

start_sim 2 --log "$TEST_TMP/received"
run_without_handles - --port COM2 --mode 100
stop_sim
expect_equal "--mode without handles: exit status" 1 "$status"
expect_equal "--mode without handles: the adapter gets the request only" "81 00 00 09 8A" \
  "$(cat "$TEST_TMP/received")"

start_sim 2 --log "$TEST_TMP/received"
printf '1\r\n9\r\n' >"$TEST_TMP/answers"
run_without_handles "$TEST_TMP/answers" --port COM2
stop_sim
expect_equal "the dialogue without output handles: exit status" 0 "$status"
expect_equal "the dialogue without output handles: the adapter gets the request only" \
  "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"
finish
