# Sourced by the Wine end-to-end tests. The test environment (set by CMake)
# gives WINE, WINESERVER, WINE_TEST_PREFIX, WINE_TEST_PORTS, BIN_DIR and
# ADAPTER_SIM. COM1 to COM4 of the prefix lead to $WINE_TEST_PORTS/com1..com4,
# where a running simulator links its pty.
set -euo pipefail

export WINEPREFIX=$WINE_TEST_PREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

TEST_TMP=$(mktemp -d)
SIM_PID=
failures=0

cleanup() {
  [ -z "$SIM_PID" ] || kill "$SIM_PID" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
  rm -rf "$TEST_TMP"
}
trap cleanup EXIT

# start_sim PORT_NUMBER [simulator options...]: runs the adapter on COMn.
start_sim() {
  local link=$WINE_TEST_PORTS/com$1
  shift
  rm -f "$link"
  "$ADAPTER_SIM" "$link" "$@" &
  SIM_PID=$!
  for _ in $(seq 100); do
    [ -e "$link" ] && return 0
    sleep 0.05
  done
  echo "simulator did not come up on $link"
  exit 1
}

stop_sim() {
  [ -z "$SIM_PID" ] || { kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true; }
  SIM_PID=
}

# run_piped EXE INPUT: runs the exe with INPUT on a pipe as standard input and
# no console; leaves its standard output in $TEST_TMP/out and its status in $status.
run_piped() {
  set +e
  printf '%b' "$2" | timeout 60 "$WINE" "$BIN_DIR/$1" >"$TEST_TMP/out" 2>"$TEST_TMP/err"
  status=$?
  set -e
}

# windows_version NAME: what GetVersion reports (nt40, win2k, winxp, win7, win95...).
windows_version() {
  "$WINE" reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1
}

# expect_output NAME TEXT: the program's output equals TEXT (printf %b escapes,
# \n written as the \r\n that piped output carries).
expect_output() {
  printf '%b' "$2" | sed 's/$/\r/' | head -c -1 >"$TEST_TMP/expected"
  if cmp -s "$TEST_TMP/expected" "$TEST_TMP/out"; then
    echo "ok: $1 (output)"
  else
    echo "FAIL: $1: output differs (expected, then actual):"
    od -c "$TEST_TMP/expected" | tail -n 20
    od -c "$TEST_TMP/out" | tail -n 20
    failures=$((failures + 1))
  fi
}

# expect_equal NAME EXPECTED ACTUAL
expect_equal() {
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAIL: $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}

finish() {
  if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
  fi
}
