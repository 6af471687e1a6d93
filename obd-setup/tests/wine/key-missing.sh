#!/usr/bin/env bash
# No service key: the do-not-exist line, no checks, and the key created with
# TxFIFO = 8 alone.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

windows_version win7
delete_serial_key

run_piped obd-setup.exe ""

expect_output "key missing" "Windows XP Version 6.1 Build 7601\n\n${KEY_MISSING}\
Some values have been changed\nPlease reboot the machine now...\n$PROMPT"
expect_equal "exit status" 255 "$status"
expect_equal "values of the created key" "TxFIFO" "$(serial_names)"
expect_equal "TxFIFO" "REG_DWORD 0x8" "$(serial_value TxFIFO)"
finish
