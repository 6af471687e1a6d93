# shellcheck shell=bash
# The runner of the shared scenarios that starts the native zade-config: the
# scenario's arguments are the command that starts it (an emulator may come
# first). COM1 to COM4 and COM12 lead, through their environment variables, to links
# where a running simulator puts its pty.
NATIVE_LAUNCH=("$@")
source "$SOURCE_DIR/tests/e2e/lib.sh"

PIPED_LINE_END='\n'
# A new session without a terminal, also when the tests run in one: the key
# waits would otherwise wait for the tester's keyboard.
PIPED_PREFIX=(setsid -w)
# The shell closes a stream before the program starts.
CLOSED_STREAMS_REACH_PROGRAM=yes
port_link() { echo "$TEST_TMP/ports/com$1"; }
# The port list shows this machine's own ports; what the open error adds for
# a port with nothing behind it.
LISTED_TEST_PORTS=()
MISSING_PORT_REASON="No such device."
program_command() { PROGRAM=("${NATIVE_LAUNCH[@]}"); }

mkdir "$TEST_TMP/ports"
for n in 1 2 3 4 12; do export "COM$n=$(port_link $n)"; done

# A run in a root of its own is skipped where no root can be made.
if [ -n "${NEEDS_ISOLATION:-}" ] && ! reason=$(bash "$SOURCE_DIR/scripts/can-isolate"); then
  echo "skipped: $reason" && exit 77
fi
# Where the program runs without a C library (an empty root, an emulator
# without sysroot), a dynamic build started the same way must not start, or
# the scenario would not show that the program needs none.
if [ -n "${DYNAMIC_PROGRAM:-}" ]; then
  PROGRAM=("${NATIVE_LAUNCH[@]:0:${#NATIVE_LAUNCH[@]}-1}" "$DYNAMIC_PROGRAM")
  timeout 60 setsid -w "${PROGRAM[@]}" </dev/null >"$TEST_TMP/out" 2>&1 || true
  echo "a dynamic build here: $(tr -s ' ' <"$TEST_TMP/out" | head -c 300)"
  expect_equal "a dynamic build does not start here" 0 "$(grep -c 'COM port number' "$TEST_TMP/out")"
fi
