# shellcheck shell=bash
# Sourced by the Wine end-to-end tests, and the runner of the shared
# scenarios that starts the Windows programs under Wine. The test environment
# (set by CMake) gives WINE, WINESERVER, WINE_TEST_PREFIX, WINE_TEST_PORTS and
# BIN_DIR. COM1 to COM4 and COM12 of the prefix lead to $WINE_TEST_PORTS/comN,
# where a running simulator links its pty.
export WINEPREFIX=$WINE_TEST_PREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
source "$SOURCE_DIR/tests/e2e/lib.sh"
# Without a runtime folder Wine 10's display driver complains on the error
# stream of the program it starts with.
export XDG_RUNTIME_DIR=$TEST_TMP/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

PIPED_LINE_END='\r\n'  # the C runtime's text mode
PIPED_PREFIX=()  # with both redirected, Wine gives the program no console
port_link() { echo "$WINE_TEST_PORTS/com$1"; }
program_command() { PROGRAM=("$WINE" "$BIN_DIR/${1%.exe}.exe"); }
stop_runner() {
  remove_added_usb_ports
  "$WINESERVER" -k 2>/dev/null || true
}
# A server started by a program would write to the program's error stream.
# (Before the prefix is made there is none to start.)
"$WINESERVER" -p >/dev/null 2>&1 || true
# The ports the prefix maps, which the port list shows (none is on USB), and
# what the open error adds for a port the prefix does not map.
LISTED_TEST_PORTS=(COM1 COM2 COM3 COM4 COM12)
MISSING_PORT_REASON="Not found: there is no such port."

# windows_version NAME: what GetVersion reports (nt40, win2k, winxp, win7, win95...).
windows_version() {
  "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# add_usb_port NAME VID PID SERIAL FRIENDLY_NAME: a USB serial device of the
# ports class in the prefix's registry, whose port NAME is one the prefix maps,
# with a hardware ID as Device Manager lists it. Wine's SetupAPI finds it at
# the next enumeration. regedit takes the file as UTF-16 with a byte-order
# mark; otherwise its REG_MULTI_SZ values come out wrong. The device goes
# when the test ends.
add_usb_port() {
  local name=$1 vid=$2 pid=$3 serial=$4 friendly=$5
  local instance="USB\\VID_${vid}&PID_${pid}\\${serial}"
  local classes='HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Control\DeviceClasses'
  local interface="$classes\\{86E0D1E0-8089-11D0-9CE4-08003E301F73}\\##?#USB#VID_${vid}&PID_${pid}#${serial}#{86E0D1E0-8089-11D0-9CE4-08003E301F73}"
  local ids
  ids=$(printf '%s\0' "USB\\VID_${vid}&PID_${pid}&REV_0600" "USB\\VID_${vid}&PID_${pid}" "" |
    iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | xargs | tr ' ' ',')
  {
    printf '\xff\xfe'
    iconv -f UTF-8 -t UTF-16LE <<REG
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\$instance]
"ClassGUID"="{4D36E978-E325-11CE-BFC1-08002BE10318}"
"Class"="Ports"
"FriendlyName"="$friendly"
"HardwareID"=hex(7):$ids

[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Enum\\$instance\\Device Parameters]
"PortName"="$name"

[$interface]
"DeviceInstance"="${instance//\\/\\\\}"

[$interface\\#]

[$interface\\#\\Control]
"Linked"=dword:00000001
REG
  } >"$TEST_TMP/device.reg"
  ADDED_USB_PORTS+=("$vid $pid $serial")
  "$WINE" regedit /S "Z:${TEST_TMP//\//\\}\\device.reg" >/dev/null 2>&1
}

# The devices add_usb_port added, which leave the shared prefix with the test.
ADDED_USB_PORTS=()
remove_added_usb_ports() {
  local device
  for device in "${ADDED_USB_PORTS[@]}"; do
    # shellcheck disable=SC2086 # VID PID SERIAL
    remove_usb_port $device
  done
  ADDED_USB_PORTS=()
}

# remove_usb_port VID PID SERIAL: the device add_usb_port added goes.
remove_usb_port() {
  local classes='HKLM\SYSTEM\CurrentControlSet\Control\DeviceClasses'
  "$WINE" reg delete "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\USB\\VID_$1&PID_$2\\$3" /f >/dev/null 2>&1 || true
  "$WINE" reg delete "$classes\\{86E0D1E0-8089-11D0-9CE4-08003E301F73}\\##?#USB#VID_$1&PID_$2#$3#{86E0D1E0-8089-11D0-9CE4-08003E301F73}" \
    /f >/dev/null 2>&1 || true
}
