#!/usr/bin/env bash
# The line settings the adapter sees.
source "$E2E_RUNNER"

start_sim 1 --settings "$TEST_TMP/settings"
run_piped zade-config '1\n1\n0\n'
expect_equal "exit status" 0 "$status"
expect_equal "line settings" "baud=115200 data=8 parity=none stop=1 rtscts=off ixon=off ixoff=off" \
  "$(cat "$TEST_TMP/settings")"
finish
