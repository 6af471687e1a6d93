#!/usr/bin/env bash
# The runs for scripts: --check leaves the registry exactly as it was,
# --no-wait repairs, both end without a key wait and with fsck-style bits.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

windows_version winxp
set_serial_key TxFIFO=dword:00000010
before=$(serial_snapshot)
run_piped obd-setup.exe "" --check
expect_equal "--check: exit status (values left as they differ)" 4 "$status"
expect_output "--check: TxFIFO is a warning" "Windows XP Version 5.1 Build 2600\n\n$KEY_OPENED\n\n\
$(audit_report TxFIFO="16 8 Warning")\
Warning! Some values have no standard data - May be there are problems !\n\n"
expect_equal "--check: the registry as it was" "$before" "$(serial_snapshot)"

delete_serial_key
run_piped obd-setup.exe "" --check --no-wait
expect_equal "--check without the key: exit status" 4 "$status"
expect_output "--check without the key" "Windows XP Version 5.1 Build 2600\n\n$KEY_MISSING"
expect_equal "--check without the key: still no key" "no key" "$(serial_snapshot)"

set_serial_key TxFIFO=dword:00000010
run_piped obd-setup.exe "" --no-wait
expect_equal "--no-wait: exit status (corrected, reboot needed)" 3 "$status"
expect_equal "--no-wait: TxFIFO repaired" "REG_DWORD 0x8" "$(serial_value TxFIFO)"
expect_output "--no-wait: no prompt" "Windows XP Version 5.1 Build 2600\n\n$KEY_OPENED\n\n\
$(audit_report TxFIFO="16 8 Changed")Some values have been changed\nPlease reboot the machine now...\n"

set_serial_key TxFIFO=dword:00000010
before=$(serial_snapshot)
run_piped obd-setup.exe "" --check --fix
expect_equal "bad command line: exit status" 16 "$status"
expect_output "bad command line: the message and the hint" \
  "obd-setup: unrecognized option '--fix'\nTry 'obd-setup --help'.\n" err
expect_equal "bad command line: the registry as it was" "$before" "$(serial_snapshot)"

# Each C runtime's option reader refuses these in its own way; the messages
# are the same everywhere.
declare -A refusal=(
  ["-c"]="invalid option -- 'c'"
  ["--check=1"]="option '--check' takes no value"
  ["--check extra"]="unexpected argument 'extra'"
  ["-- --check"]="unexpected argument '--check'"
  ["--no-wait --no"]="option '--no-wait' given twice"
)
for args in "${!refusal[@]}"; do expect_refused obd-setup.exe 16 "${refusal[$args]}" "$args"; done

# Output that cannot be written adds 32.
set_serial_key TxFIFO=dword:00000008
for form in --version --help --check --no-wait; do
  set +e
  "$WINE" "$BIN_DIR/obd-setup.exe" "$form" </dev/null >/dev/full 2>"$TEST_TMP/err"
  status=$?
  set -e
  expect_equal "$form >/dev/full: exit status" 32 "$status"
  expect_equal "$form >/dev/full: says so" "obd-setup: write error: No space left on device" \
    "$(tr -d '\r' <"$TEST_TMP/err" | head -1)"
done
set +e
"$WINE" "$BIN_DIR/obd-setup.exe" --fix </dev/null >"$TEST_TMP/out" 2>/dev/full
status=$?
set -e
expect_equal "a bad command line 2>/dev/full: exit status" 48 "$status"

run_piped obd-setup.exe "" '/?'
expect_equal "/?: exit status" 0 "$status"
expect_equal "/?: the usage" "Usage: obd-setup [--check] [--no-wait]" "$(head -1 "$TEST_TMP/out" | tr -d '\r')"
finish
