# shellcheck shell=bash
# Sourced by the test scripts: checks that count their failures, and the end
# of a script, which fails when any check did.
failures=0

# expect_equal NAME EXPECTED ACTUAL
expect_equal() {
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAIL: $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}

# expect_same_bytes NAME FILE1 FILE2
expect_same_bytes() { expect_equal "$1" same "$(cmp -s "$2" "$3" && echo same || echo different)"; }

finish() {
  if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
  fi
}
