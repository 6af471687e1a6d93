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
# ports class as Windows' own USB driver registers it, whose port NAME is one
# the prefix maps, with hardware IDs as Device Manager lists them.
add_usb_port() {
  add_port_device "USB\\VID_$2&PID_$3\\$4" "$1" "$5" "USB\\VID_$2&PID_$3&REV_0600" "USB\\VID_$2&PID_$3"
}

# add_ftdi_port NAME VID PID SERIAL FRIENDLY_NAME: the same as FTDI's driver
# registers it, under its own enumerator.
add_ftdi_port() {
  add_port_device "FTDIBUS\\VID_$2+PID_$3+${4}A\\0000" "$1" "$5" "FTDIBUS\\COMPORT&VID_$2&PID_$3"
}

# add_port_device INSTANCE NAME FRIENDLY_NAME HARDWARE_ID...: a device of the
# ports class in the prefix's registry, with its COM port interface. Wine's
# SetupAPI finds it at the next enumeration. regedit takes the file as UTF-16
# with a byte-order mark; otherwise its REG_MULTI_SZ values come out wrong.
# The device goes when the test ends.
add_port_device() {
  local instance=$1 name=$2 friendly=$3 ids
  shift 3
  ids=$(printf '%s\0' "$@" "" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 | xargs | tr ' ' ',')
  local interface
  interface=$(port_interface "$instance")
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
  ADDED_PORT_DEVICES+=("$instance")
  "$WINE" regedit /S "Z:${TEST_TMP//\//\\}\\device.reg" >/dev/null 2>&1
}

# port_interface INSTANCE: the registry key of the device's COM port interface.
port_interface() {
  local guid='{86E0D1E0-8089-11D0-9CE4-08003E301F73}'
  echo "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\$guid\\##?#${1//\\/#}#$guid"
}

# The devices add_port_device added, which leave the shared prefix with the test.
ADDED_PORT_DEVICES=()
remove_added_usb_ports() {
  local instance
  for instance in "${ADDED_PORT_DEVICES[@]}"; do remove_port_device "$instance"; done
  ADDED_PORT_DEVICES=()
}

# remove_port_device INSTANCE: a device add_port_device added goes.
remove_port_device() {
  "$WINE" reg delete "HKLM\\SYSTEM\\CurrentControlSet\\Enum\\$1" /f >/dev/null 2>&1 || true
  "$WINE" reg delete "$(port_interface "$1")" /f >/dev/null 2>&1 || true
}
