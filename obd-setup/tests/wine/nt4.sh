#!/usr/bin/env bash
# NT 4 expects Start = 2: the NT version line, Start 2 Ok, and a Group in
# capitals is Ok too.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

windows_version nt40
set_serial_key Start=dword:00000002 Group='"EXTENDED BASE"'

run_piped obd-setup.exe ""

expect_output "NT 4" "Windows NT Version 4.0 Build 1381\n\n$KEY_OPENED\n\n\
$(report_line Type 1 1 Ok)\
$(report_line Start 2 2 Ok)\
Value Group           = EXTENDED BASE\tExpected = Extended base  Ok\n\
$(report_line ErrorControl 0 0 Ok)\
$(report_line Tag 1 1 Ok)\
$(report_line ForceFifoEnable 1 1 Ok)\
$(report_line RxFIFO 8 8 Ok)\
$(report_line TxFIFO 8 8 Ok)\
$(report_line PermitShare 0 0 Ok)\
$(report_line LogFifo 0 0 Ok)\
\nAll done.\n$PROMPT"
expect_equal "exit status" 255 "$status"
finish
