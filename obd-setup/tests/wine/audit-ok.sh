#!/usr/bin/env bash
# Windows 7 with every service value as expected: ten Ok lines, "All done.",
# nothing written; no console, so the key read fails and the status is -1.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

windows_version win7
set_serial_key
before=$(serial_snapshot)

run_piped obd-setup.exe ""

expect_output "all values as expected" "Windows XP Version 6.1 Build 7601\n\n$KEY_OPENED\n\n\
$(audit_report)\
\nAll done.\n$PROMPT"
expect_equal "exit status of a failed key read" 255 "$status"

expect_equal "key unchanged" "$before" "$(serial_snapshot)"
finish
