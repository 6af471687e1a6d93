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
