#!/usr/bin/env bash
# NT 4 expects Start = 2: the NT version line, Start 2 Ok, and a Group in
# capitals is Ok too.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

windows_version nt40
set_serial_key Start=dword:00000002 Group='"EXTENDED BASE"'

run_piped obd-setup.exe ""

expect_output "NT 4" "Windows NT Version 4.0 Build 1381\n\n$KEY_OPENED\n\n\
$(audit_report Start="2 2 Ok" Group="EXTENDED BASE|Ok")\
\nAll done.\n$PROMPT"
expect_equal "exit status" 255 "$status"
finish
