#!/usr/bin/env bash
# On a real console (a tmux pane), the final key read waits with the prompt on
# screen and the key becomes the exit status: a character its byte value, a
# function key the lead byte of its two-byte code.
source "$SOURCE_DIR/tests/wine/lib.sh"
source "$(dirname "$0")/serial_key.sh"

command -v tmux >/dev/null || { echo "FAIL: tmux is needed"; exit 1; }
TMUX_SOCKET=$TEST_TMP/tmux.sock
trap 'tmux -S "$TMUX_SOCKET" kill-server 2>/dev/null || true; cleanup' EXIT

windows_version win7
set_serial_key

# press_key KEY: runs obd-setup in a new tmux session, waits for the prompt,
# sends KEY (tmux send-keys names) and leaves the exit status in $key_status.
press_key() {
  local result=$TEST_TMP/status
  rm -f "$result"
  tmux -S "$TMUX_SOCKET" new-session -d -x 100 -y 40 \
    "env WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all '$WINE' '$BIN_DIR/obd-setup.exe'; echo \$? >'$result'"
  local prompt=no
  for _ in $(seq 240); do
    if tmux -S "$TMUX_SOCKET" capture-pane -p 2>/dev/null | grep -q 'Press any key to continue'; then
      prompt=yes
      break
    fi
    sleep 0.25
  done
  expect_equal "prompt on screen before $1" yes "$prompt"
  tmux -S "$TMUX_SOCKET" send-keys "$1"
  for _ in $(seq 120); do
    [ -s "$result" ] && break
    sleep 0.25
  done
  key_status=$(cat "$result" 2>/dev/null || echo "still waiting")
  tmux -S "$TMUX_SOCKET" kill-server 2>/dev/null || true
}

press_key a
expect_equal "exit status after a" 97 "$key_status"
press_key Enter
expect_equal "exit status after Enter" 13 "$key_status"
press_key F1
expect_equal "exit status after F1" 0 "$key_status"
press_key F12
expect_equal "exit status after F12" 224 "$key_status"
expect_equal "TxFIFO unchanged" "REG_DWORD 0x8" "$(serial_value TxFIFO)"
finish
