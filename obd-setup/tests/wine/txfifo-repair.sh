#!/usr/bin/env bash
# TxFIFO = 16 on Windows XP, with a warning besides: the line shows the old
# value as Changed, the registry then holds TxFIFO = 8 as a REG_DWORD, and
# the summary has both lines, warning first.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

windows_version winxp
set_serial_key TxFIFO=dword:00000010 LogFifo=dword:ffffffff

run_piped obd-setup.exe ""

expect_output "TxFIFO rewritten" "Windows XP Version 5.1 Build 2600\n\n$KEY_OPENED\n\n\
$(audit_report TxFIFO="16 8 Changed" LogFifo="-1 0 Warning")\
Warning! Some values have no standard data - May be there are problems !\n\n\
Some values have been changed\nPlease reboot the machine now...\n$PROMPT"
expect_equal "exit status" 255 "$status"
expect_equal "TxFIFO afterwards" "REG_DWORD 0x8" "$(serial_value TxFIFO)"
expect_equal "LogFifo untouched" "REG_DWORD 0xffffffff" "$(serial_value LogFifo)"
finish
