#!/usr/bin/env bash
# Windows 95: the error line and the prompt; the registry is left alone even
# though TxFIFO would need the repair.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

windows_version win95
set_serial_key TxFIFO=dword:00000010
save_serial_key "$TEST_TMP/before.reg"

run_piped obd-setup.exe ""

expect_output "not NT" "Windows 95\n\nError! The Setup is only for Windows NT!\n$PROMPT"
expect_equal "exit status" 255 "$status"
save_serial_key "$TEST_TMP/after.reg"
expect_equal "key unchanged" "" "$(cmp "$TEST_TMP/before.reg" "$TEST_TMP/after.reg" 2>&1)"
finish
