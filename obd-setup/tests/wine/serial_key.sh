# Sourced by obd-setup's Wine tests after tests/wine/lib.sh: the serial port
# driver's service key in the test prefix, and the texts of a run.
SERIAL_KEY='HKLM\SYSTEM\CurrentControlSet\Services\Serial'
SERIAL_NAMES=(Type Start Group ErrorControl Tag ForceFifoEnable RxFIFO TxFIFO PermitShare LogFifo)

# set_serial_key [NAME=REGDATA...]: replaces the service key by one holding
# the ten values as obd-setup expects them on Windows 2000 and later, with
# each NAME given set to REGDATA instead (as in a .reg file: dword:00000010).
set_serial_key() {
  declare -A data=([Type]=dword:00000001 [Start]=dword:00000001 [Group]='"Extended base"'
    [ErrorControl]=dword:00000000 [Tag]=dword:00000001 [ForceFifoEnable]=dword:00000001
    [RxFIFO]=dword:00000008 [TxFIFO]=dword:00000008 [PermitShare]=dword:00000000
    [LogFifo]=dword:00000000)
  local override name
  for override in "$@"; do data[${override%%=*}]=${override#*=}; done
  {
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Serial]\n'
    for name in "${SERIAL_NAMES[@]}"; do printf '"%s"=%s\n' "$name" "${data[$name]}"; done
  } >"$TEST_TMP/serial.reg"
  delete_serial_key
  "$WINE" reg import "Z:${TEST_TMP//\//\\}\\serial.reg" >/dev/null 2>&1
}

delete_serial_key() {
  "$WINE" reg delete "$SERIAL_KEY" /f >/dev/null 2>&1 || true
}

# serial_value NAME: prints the value's type and data ("REG_DWORD 0x8"), or
# nothing when it is missing.
serial_value() {
  "$WINE" reg query "$SERIAL_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v name="$1" '$1 == name { print $2, $3 }'
}

# serial_names: the names of the values the key holds, one a line, sorted.
serial_names() {
  "$WINE" reg query "$SERIAL_KEY" 2>/dev/null | tr -d '\r' | awk '/^    / { print $1 }' | sort
}

# serial_snapshot: the key's values as reg query lists them, or "no key".
serial_snapshot() {
  local listing
  listing=$("$WINE" reg query "$SERIAL_KEY" /s 2>/dev/null | tr -d '\r') || listing="no key"
  printf '%s\n' "$listing"
}

# report_line NAME VALUE EXPECTED STATUS: a DWORD check's line, as printf %b text.
report_line() {
  printf 'Value %-16s= %s\\t\\tExpected = %s\\t\\t  %s\\n' "$1" "$2" "$3" "$4"
}

# audit_report [NAME="VALUE EXPECTED STATUS"...]: the ten report lines, as
# printf %b text, of a key that holds the values obd-setup expects on Windows
# 2000 and later, but for each NAME given. Group takes "TEXT|STATUS".
audit_report() {
  declare -A line=([Type]="1 1 Ok" [Start]="1 1 Ok" [Group]="Extended base|Ok"
    [ErrorControl]="0 0 Ok" [Tag]="1 1 Ok" [ForceFifoEnable]="1 1 Ok" [RxFIFO]="8 8 Ok"
    [TxFIFO]="8 8 Ok" [PermitShare]="0 0 Ok" [LogFifo]="0 0 Ok")
  local override name
  for override in "$@"; do line[${override%%=*}]=${override#*=}; done
  for name in "${SERIAL_NAMES[@]}"; do
    if [ "$name" == Group ]; then
      printf 'Value Group           = %s\\tExpected = Extended base  %s\\n' \
        "${line[Group]%|*}" "${line[Group]#*|}"
    else
      # shellcheck disable=SC2086 # value, expected and status are words
      report_line "$name" ${line[$name]}
    fi
  done
}

KEY_OPENED='Installing OBD driver... \n\nSubKey '\''SYSTEM\\CurrentControlSet\\Services\\Serial'\'' allready  exist ! \n\nReading values of the key ...'
KEY_MISSING='Installing OBD driver... \n\nSubKey '\''SYSTEM\\CurrentControlSet\\Services\\Serial'\'' do not exist ! \n\n'
PROMPT='\nPress any key to continue ...\n'
