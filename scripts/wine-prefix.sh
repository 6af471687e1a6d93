# shellcheck shell=bash
# Sourced by scripts/demo and the Wine tests: a private Wine prefix whose COM
# ports lead to chosen paths, and the simulated adapter on such a path. Needs
# WINE, WINESERVER and WINEPREFIX; the simulator also ADAPTER_SIM.
SIM_PID=

# map_com_ports PATH...: COM1 of the prefix leads to the first PATH, COM2 to
# the second, and so on, creating the prefix if need be. Wine rewrites
# dosdevices/comN from auto-detected serial devices each time its server
# starts, so the mapping goes through HKLM\Software\Wine\Ports and the server
# is restarted to apply it. Fails when COM1 does not lead to the first PATH.
map_com_ports() {
  local n=0 path
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  for path in "$@"; do
    n=$((n + 1))
    "$WINE" reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /d "$path" /f >/dev/null 2>&1
  done
  "$WINESERVER" -k 2>/dev/null || true
  "$WINE" reg query 'HKLM\Software\Wine\Ports' >/dev/null 2>&1
  for _ in $(seq 200); do
    [ "$(readlink "$WINEPREFIX/dosdevices/com1" 2>/dev/null)" == "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# start_sim_at LINK [simulator options...]: runs the simulated adapter in the
# background on a pty linked at LINK, once LINK is there.
start_sim_at() {
  rm -f "$1"
  "$ADAPTER_SIM" "$@" &
  SIM_PID=$!
  for _ in $(seq 100); do
    [ -e "$1" ] && return 0
    sleep 0.05
  done
  echo "the simulated adapter did not come up on $1" >&2
  return 1
}

stop_sim() {
  [ -z "$SIM_PID" ] || { kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true; }
  SIM_PID=
}

# prefix_pids: the process ids of Wine's processes of this prefix (wineserver,
# the programs, the prefix's services), one a line.
prefix_pids() {
  local p
  for p in /proc/[0-9]*; do
    readlink "$p/exe" 2>/dev/null | grep -q wine || continue
    if tr '\0' '\n' <"$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "${p#/proc/}"
    fi
  done
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
# Each device added is in ADDED_PORT_DEVICES.
ADDED_PORT_DEVICES=()
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
  } >"$WINEPREFIX/drive_c/device.reg"
  ADDED_PORT_DEVICES+=("$instance")
  wine_quietly regedit /S 'C:\device.reg'
  rm -f "$WINEPREFIX/drive_c/device.reg"
}

# wine_quietly ARGS...: wine with the arguments, its output shown only when
# it fails, with the command, so that a failed step of a test says which. The
# output goes through a file: a server that wine starts keeps a pipe open.
wine_quietly() {
  local output status=0
  output=$(mktemp)
  "$WINE" "$@" >"$output" 2>&1 || status=$?
  ((status == 0)) || echo "FAIL: wine $* ended with $status: $(cat "$output")" >&2
  rm -f "$output"
  return "$status"
}

# port_interface INSTANCE: the registry key of the device's COM port interface.
port_interface() {
  local guid='{86E0D1E0-8089-11D0-9CE4-08003E301F73}'
  echo "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\$guid\\##?#${1//\\/#}#$guid"
}

# start_xvfb DIR: a headless X server, 1280 x 1024, on a display number no
# other server has, which it says in DIR/display; sets DISPLAY and XVFB_PID.
XVFB_PID=
start_xvfb() {
  rm -f "$1/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$1/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 300); do
    [ -s "$1/display" ] && break
    sleep 0.1
  done
  [ -s "$1/display" ] || { echo "FAIL: Xvfb did not start within 30 s" >&2; return 1; }
  DISPLAY=":$(head -1 "$1/display")"
  export DISPLAY
}

# prepare_prefix_for_windows: without a window manager Wine must manage its
# windows itself (Managed=N): otherwise they get no title bar, the keyboard
# focus follows the pointer and each close stalls. Wine as Debian packages it
# looks for its own fonts (fonts-wine) in the prefix only: without Marlett
# the caption buttons show as letters, without Tahoma the dialog font is
# another one.
prepare_prefix_for_windows() {
  wine_quietly reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  cp -n /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf "$fonts/" 2>/dev/null || true
}

# window_screenshot TITLE FILE [WIDER]: the window whose title holds TITLE,
# as it is now, in FILE (a PNG); with WIDER, the screen around it, that many
# pixels wider, so that a list dropped from it shows. A window just shown
# may not be on the screen yet.
window_screenshot() {
  local window what=(-id) cut=(cat)
  window=$(xdotool search --name "$1" | head -1)
  if [ -n "${3:-}" ]; then
    local X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$window")"
    what=(-root)
    cut=(pnmcut -left "$X" -top "$Y" -width "$((WIDTH + $3))" -height "$HEIGHT")
  else
    what+=("$window")
  fi
  for _ in $(seq 20); do
    sleep 0.3
    xwd -silent "${what[@]}" >"$2.xwd" 2>/dev/null || continue
    xwdtopnm "$2.xwd" 2>/dev/null | "${cut[@]}" 2>/dev/null | pnmtopng >"$2" && { rm -f "$2.xwd"; return 0; }
  done
  rm -f "$2.xwd"
  return 1
}
