# shellcheck shell=bash
# Sourced by a runner of the end-to-end tests (tests/wine/lib.sh,
# tests/native/lib.sh), which says how its programs start and where its ports
# lead by defining:
#   program_command NAME   sets PROGRAM to the command that starts program NAME
#   port_link N            prints the path COMn leads to
#   PIPED_LINE_END         what piped output ends its lines with (printf %b)
#   PIPED_PREFIX           (array) what a piped run is started through
#   stop_runner            (optional) ends what the runner started
# The test environment (set by CMake) gives SOURCE_DIR and ADAPTER_SIM.
set -euo pipefail

source "$SOURCE_DIR/scripts/wine-prefix.sh"  # start_sim_at, stop_sim
source "$SOURCE_DIR/tests/expect.sh"

TEST_TMP=$(mktemp -d)

TMUX_SOCKET=e2e-test-$$
CONSOLE_STARTED=

cleanup() {
  stop_sim
  [ -z "$CONSOLE_STARTED" ] || console_close
  ! declare -F stop_runner >/dev/null || stop_runner
  rm -rf "$TEST_TMP"
}
trap cleanup EXIT

# start_sim PORT_NUMBER [simulator options...]: runs the adapter on COMn.
start_sim() { start_sim_at "$(port_link "$1")" "${@:2}"; }

# run_piped PROGRAM INPUT [ARG...]: runs the program with the arguments and
# INPUT on a pipe as standard input and no console; leaves its standard output
# in $TEST_TMP/out, its standard error in $TEST_TMP/err and its status in
# $status.
run_piped() {
  program_command "$1"
  set +e
  printf '%b' "$2" | timeout 60 "${PIPED_PREFIX[@]}" "${PROGRAM[@]}" "${@:3}" >"$TEST_TMP/out" \
    2>"$TEST_TMP/err"
  status=$?
  set -e
}

# expect_refused PROGRAM STATUS MESSAGE ARGS: the bad command line ARGS (its
# words) ends PROGRAM with STATUS, the error output saying "NAME: MESSAGE"
# and the hint to --help.
expect_refused() {
  local name=${1%.exe}
  # shellcheck disable=SC2086 # the options are words
  run_piped "$1" '' $4
  expect_equal "$4: exit status" "$2" "$status"
  expect_equal "$4: what is wrong, then the hint" "$name: $3|Try '$name --help'." \
    "$(tr -d '\r' <"$TEST_TMP/err" | paste -sd'|')"
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

# run_in_console PROGRAM: runs the program in a real console (console_run).
run_in_console() {
  program_command "$1"
  console_run "${PROGRAM[@]}"
}

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
# with Enter. The first may wait for the program to start (a new Wine prefix
# takes a while).
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

# expect_output NAME TEXT [STREAM]: the program's standard output (or STREAM:
# err for its standard error) equals TEXT (printf %b escapes, \n written as
# the line end that piped output carries).
expect_output() {
  local actual=$TEST_TMP/${3:-out} label=output
  [ "${3:-out}" == out ] || label="error output"
  printf '%b' "$2" | sed -z "s/\n/$PIPED_LINE_END/g" >"$TEST_TMP/expected"
  if cmp -s "$TEST_TMP/expected" "$actual"; then
    echo "ok: $1 ($label)"
  else
    echo "FAIL: $1: $label differs (expected <, actual >):"
    diff <(od -c "$TEST_TMP/expected") <(od -c "$actual") || true
    failures=$((failures + 1))
  fi
}
