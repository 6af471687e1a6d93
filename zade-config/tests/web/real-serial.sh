#!/usr/bin/env bash
# The page once through the browser's own serial code, with no fake: from
# Chromium, through its serial service, to the simulated adapter. Chromium
# lists a tty only when /proc/tty/drivers types it serial, so never a pty:
# in a mount namespace of the test's own the simulator's pty is bind-mounted
# over /dev/ttyS0 (page_test.py real-serial), and a policies folder of the
# test's own over /etc/chromium, whose SerialAllowAllPortsForUrls for the
# page's origin lets getPorts() give the port with no chooser. Nothing of the
# system changes. Skipped where that cannot be done, saying why.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${REAL_SERIAL_POLICIES:-}" ]; then
  skip() {
    echo "skipped: $1"
    exit 77
  }
  reason=$(bash "$SOURCE_DIR/scripts/can-isolate") || skip "$reason"
  [ -c /dev/ttyS0 ] || skip "this machine has no /dev/ttyS0 to mount the simulator's pty over"
  grep -qE '^serial +/dev/ttyS ' /proc/tty/drivers 2>/dev/null ||
    skip "/proc/tty/drivers types no /dev/ttyS as serial, so Chromium would list no port"
  [ -d /etc/chromium ] || skip "no /etc/chromium to mount a policies folder of the test's own over"
  export REAL_SERIAL_POLICIES=/etc/chromium/policies/managed
  exec unshare --mount --propagation private bash "$0" "$@"
fi
mount -t tmpfs test-policies /etc/chromium
mkdir -p "$REAL_SERIAL_POLICIES"
exec "${PAGE_TEST_PYTHON:-/usr/bin/python3}" "$here/page_test.py" real-serial
