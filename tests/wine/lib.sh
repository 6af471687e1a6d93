# Sourced by the Wine end-to-end tests. The test environment (set by CMake)
# gives WINE, WINESERVER, WINE_TEST_PREFIX, WINE_TEST_PORTS, BIN_DIR and
# ADAPTER_SIM. COM1 to COM4 of the prefix lead to $WINE_TEST_PORTS/com1..com4,
# where a running simulator links its pty.
set -euo pipefail

export WINEPREFIX=$WINE_TEST_PREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
source "$SOURCE_DIR/scripts/wine-prefix.sh"
source "$SOURCE_DIR/tests/expect.sh"

TEST_TMP=$(mktemp -d)

TMUX_SOCKET=wine-test-$$
CONSOLE_STARTED=

cleanup() {
  stop_sim
  [ -z "$CONSOLE_STARTED" ] || console_close
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$TEST_TMP"
}
trap cleanup EXIT

# start_sim PORT_NUMBER [simulator options...]: runs the adapter on COMn.
start_sim() { start_sim_at "$WINE_TEST_PORTS/com$1" "${@:2}"; }

# run_piped EXE INPUT: runs the exe with INPUT on a pipe as standard input and
# no console; leaves its standard output in $TEST_TMP/out and its status in $status.
run_piped() {
  set +e
  printf '%b' "$2" | timeout 60 "$WINE" "$BIN_DIR/$1" >"$TEST_TMP/out" 2>"$TEST_TMP/err"
  status=$?
  set -e
}

# console_run COMMAND [ARG...]: runs the command in a real console, an 80 x 25
# tmux pane of a private tmux server, with this script's environment; its exit
# status lands in $TEST_TMP/console-status. The pane stays open afterwards, so
# the last screen can still be read.
console_run() {
  CONSOLE_STARTED=1
  rm -f "$TEST_TMP/console-status"
  {
    printf '%q ' "$@"
    printf '\necho $? >%q\nexec sleep 600\n' "$TEST_TMP/console-status"
  } >"$TEST_TMP/console.sh"
  tmux -L "$TMUX_SOCKET" new-session -d -s test -x 80 -y 25 "bash '$TEST_TMP/console.sh'"
}

# run_in_console EXE: runs the exe under Wine in a real console (console_run).
run_in_console() { console_run "$WINE" "$BIN_DIR/$1"; }

# console_close: ends the console and whatever still runs in it. The server
# takes a moment to go; a console started meanwhile would meet it dying.
console_close() {
  tmux -L "$TMUX_SOCKET" kill-server 2>/dev/null || true
  for _ in $(seq 50); do
    tmux -L "$TMUX_SOCKET" has-session 2>/dev/null || return 0
    sleep 0.1
  done
}

console_keys() { tmux -L "$TMUX_SOCKET" send-keys -t test "$@"; }
console_screen() { tmux -L "$TMUX_SOCKET" capture-pane -p -t test; }

# console_wait_for TEXT SECONDS: true once TEXT is on the screen.
console_wait_for() {
  local deadline=$((SECONDS + $2))
  while ((SECONDS < deadline)); do
    console_screen | grep -qF -- "$1" && return 0
    sleep 0.2
  done
  return 1
}

# expect_screen TEXT [SECONDS]: TEXT comes on the screen within SECONDS (20);
# the screen is shown when it does not.
expect_screen() {
  if console_wait_for "$1" "${2:-20}"; then
    echo "ok: on the screen: $1"
  else
    echo "FAIL: not on the screen: $1"
    console_screen
    failures=$((failures + 1))
  fi
}

# answer_zade_config PORT [MODE]: answers zade-config's questions in the
# console as they appear: PORT, 1 (Write config.) and, if given, MODE, each
# with Enter. The first may wait for a new prefix to start.
answer_zade_config() {
  expect_screen "3.Enter COM port number '1,2,3...':" 120
  console_keys "$1" Enter
  expect_screen "0 - Exit"
  console_keys 1 Enter
  if (($# > 1)); then
    expect_screen "Input CAN BUS MODE :"
    console_keys "$2" Enter
  fi
}

# console_wait_exit SECONDS: the exit status once the program has ended, or
# "running" when it is still running after SECONDS.
console_wait_exit() {
  local deadline=$((SECONDS + $1))
  while ((SECONDS < deadline)); do
    [ -s "$TEST_TMP/console-status" ] && { cat "$TEST_TMP/console-status"; return 0; }
    sleep 0.2
  done
  echo running
}

# windows_version NAME: what GetVersion reports (nt40, win2k, winxp, win7, win95...).
windows_version() {
  "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# expect_output NAME TEXT: the program's output equals TEXT (printf %b escapes,
# \n written as the \r\n that piped output carries).
expect_output() {
  printf '%b' "$2" | sed -z 's/\n/\r\n/g' >"$TEST_TMP/expected"
  if cmp -s "$TEST_TMP/expected" "$TEST_TMP/out"; then
    echo "ok: $1 (output)"
  else
    echo "FAIL: $1: output differs (expected <, actual >):"
    diff <(od -c "$TEST_TMP/expected") <(od -c "$TEST_TMP/out") || true
    failures=$((failures + 1))
  fi
}
