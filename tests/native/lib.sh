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
port_link() { echo "$TEST_TMP/ports/com$1"; }
# The port list shows this machine's own ports; what the open error adds for
# a port with nothing behind it.
LISTED_TEST_PORTS=()
MISSING_PORT_REASON="No such device."
program_command() { PROGRAM=("${NATIVE_LAUNCH[@]}"); }

mkdir "$TEST_TMP/ports"
for n in 1 2 3 4 12; do export "COM$n=$(port_link $n)"; done
