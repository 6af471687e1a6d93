#!/usr/bin/env bash
# Windows 95: the error line and the prompt; the registry is left alone even
# though TxFIFO would need the repair.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

windows_version win95
set_serial_key TxFIFO=dword:00000010
before=$(serial_snapshot)

run_piped obd-setup.exe ""

expect_output "not NT" "Windows 95\n\nError! The Setup is only for Windows NT!\n$PROMPT"
expect_equal "exit status" 255 "$status"
expect_equal "key unchanged" "$before" "$(serial_snapshot)"
finish
