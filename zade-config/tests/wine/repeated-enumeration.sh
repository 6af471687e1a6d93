#!/usr/bin/env bash
# Enumerations repeated in one process keep nothing of the ones before: a
# port that comes after hundreds of them has its hardware ID, and so counts
# as USB; one whose device went has none.
#   repeated-enumeration.sh ENUMERATE_PORTS
source "$SOURCE_DIR/tests/wine/lib.sh"

add_usb_port COM3 067B 2303 B678 "USB Serial Port (COM3)"
timeout 120 "$WINE" "$1" 300 "Z:${TEST_TMP//\//\\}\\go" >"$TEST_TMP/list" 2>&1 &
lister=$!
for _ in $(seq 1200); do
  grep -q ready "$TEST_TMP/list" 2>/dev/null && break
  sleep 0.1
done
add_usb_port COM12 0403 6001 A12345 "USB Serial Port (COM12)"
remove_port_device 'USB\VID_067B&PID_2303\B678'
touch "$TEST_TMP/go"
wait "$lister" || true
expect_equal "after 300 enumerations: the device that went leaves its port bare" \
  "COM3	" "$(grep -a '^COM3' "$TEST_TMP/list" | tr -d '\r')"
expect_equal "after 300 enumerations: the port that came has its hardware ID" \
  "COM12	USB\\VID_0403&PID_6001&REV_0600" "$(grep -a '^COM12' "$TEST_TMP/list" | tr -d '\r')"
finish
