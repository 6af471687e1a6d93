#!/usr/bin/env bash
# Usage: x86-32-probe.sh SOURCE_DIR SCRATCH_DIR
# The probe for 32-bit x86 support answers yes or no, and says yes when it
# cannot tell, so a broken 32-bit setup fails instead of being skipped. A
# 32-bit Windows tree configured as on a machine that executes no 32-bit x86
# program reports every test of its Wine suite as skipped, with the reason,
# and none as passed.
set -euo pipefail
source "$1/tests/expect.sh"
probe=$1/scripts/runs-x86-32
unset X86_32_PROBE  # this test forces each answer itself
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch/no-assembler"
trap 'rm -rf "$scratch"' EXIT

answer() { "$@" >/dev/null 2>&1 && echo yes || echo "no ($?)"; }
expect_equal "forced yes" yes "$(X86_32_PROBE=yes answer "$probe")"
expect_equal "forced no" "no (1)" "$(X86_32_PROBE=no answer "$probe")"
expect_equal "a bad forced value is an error" "no (2)" "$(X86_32_PROBE=maybe answer "$probe")"
ln -s "$(command -v bash)" "$(command -v mktemp)" "$(command -v rm)" "$scratch/no-assembler/"
expect_equal "no assembler: cannot tell, so yes" yes "$(PATH=$scratch/no-assembler answer "$probe")"
if here=$("$probe"); then
  echo "this machine executes 32-bit x86 programs"
else
  expect_equal "a refusal names the kernel's reason" yes \
    "$([[ $here == "this machine cannot execute 32-bit x86 programs ("?*")" ]] && echo yes || echo no)"
fi

(cd "$1" && X86_32_PROBE=no cmake --preset windows-x86 -B "$scratch/tree" >/dev/null)
suite=$(ctest --test-dir "$scratch/tree" -N -R '[.]wine[.]' | grep -c 'Test *#' || true)
set +e
ctest --test-dir "$scratch/tree" -R '[.]wine[.]' -V >"$scratch/ctest.log" 2>&1
status=$?
set -e
expect_equal "the Wine suite has tests" yes "$( ((suite > 5)) && echo yes || echo no)"
expect_equal "ctest's status" 0 "$status"
expect_equal "every test skipped" "$suite" "$(grep -c 'Skipped *[0-9.]* sec' "$scratch/ctest.log")"
expect_equal "none passed" 0 "$(grep -c 'Passed *[0-9.]* sec' "$scratch/ctest.log" || true)"
expect_equal "each names the reason" "$suite" \
  "$(grep -c ': skipped: 32-bit x86 programs turned off by X86_32_PROBE=no$' "$scratch/ctest.log")"
expect_equal "the suite is listed for the summary" \
  "32-bit Wine suite: 32-bit x86 programs turned off by X86_32_PROBE=no" \
  "$(cat "$scratch/tree/skipped-suites.txt")"
finish
