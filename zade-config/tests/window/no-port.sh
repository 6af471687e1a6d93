#!/usr/bin/env bash
# No serial port at all: the list is empty, Write is off, and the result line
# says what to do. Wine makes COM1 of the host's /dev/ttyS0 and a port of each
# name in its Ports key, so the window runs in a prefix of its own without
# that key, in a mount namespace whose /dev has no serial devices.
if [ -z "${WINDOW_OWN_DEV:-}" ]; then
  if ! reason=$(bash "$SOURCE_DIR/scripts/can-isolate"); then
    echo "skipped: $reason"
    exit 77
  fi
  WINDOW_OWN_DEV=$(mktemp -d)
  export WINDOW_OWN_DEV
  status=0
  unshare --mount --propagation private bash "$0" "$@" || status=$?
  rmdir "$WINDOW_OWN_DEV"
  exit $status
fi
dev=$WINDOW_OWN_DEV
mount -t tmpfs dev "$dev"
for node in null zero random urandom tty ptmx full; do
  touch "$dev/$node"
  mount --bind "/dev/$node" "$dev/$node"
done
mkdir "$dev/pts" "$dev/shm"
mount --bind /dev/pts "$dev/pts"
mount --bind /dev/shm "$dev/shm"
mount --bind "$dev" /dev

source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/languages.sh"
"$WINESERVER" -k 2>/dev/null || true
export WINEPREFIX=$TEST_TMP/prefix
"$WINE" wineboot -i >/dev/null 2>&1
start_display
start_window
expect_equal "an empty list" "" "$(driver ports)"
driver click $IDC_MODE_100 >/dev/null
expect_equal "Write is off" 0 "$(driver enabled $IDOK)"
expect_equal "what to do" "No serial port found: connect the adapter, then press Refresh.|no icon" \
  "$(driver result | paste -sd'|')"
screenshot no-port
close_window
expect_equal "Close ends the program with 0" 0 "$window_status"
# What to do, in each language.
for WINDOW_LOCALE in "${WINDOW_LOCALES[@]}"; do
  use_language "$WINDOW_LOCALE"
  start_window
  expect_equal "what to do in $WINDOW_LOCALE" "${LANGUAGE_TEXT[no-port]}|no icon" \
    "$(driver result | plain | paste -sd'|')"
  screenshot "${WINDOW_LOCALE%%.*}-no-port"
  close_window
done
finish
