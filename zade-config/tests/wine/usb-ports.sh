#!/usr/bin/env bash
# USB serial ports as Device Manager lists them, of Windows' USB driver and of
# FTDI's, with localized names: the port list in the code page its reader
# decodes, and --mode's own choice of the one USB port. The devices go at the
# end, so the other tests see none.
source "$SOURCE_DIR/tests/wine/lib.sh"
# Wine's locale follows the environment's: with none, English (United States),
# whose OEM code page, the one of redirected output without a console, is 437.
export LC_ALL=C

# As FTDI's driver registers its ports, under an enumerator of its own.
add_ftdi_port COM12 0403 6001 A1B2C3D4 "USB Serial Port (COM12)"
run_piped zade-config '' --list-ports
expect_equal "--list-ports: a port of FTDI's driver" \
  "COM12	USB Serial Port (COM12) [FTDIBUS\\COMPORT&VID_0403&PID_6001]" \
  "$(grep -a '^COM12' "$TEST_TMP/out" | tr -d '\r')"
start_sim 12 --log "$TEST_TMP/received"
run_piped zade-config '' --mode 100
stop_sim
expect_equal "--mode without --port takes FTDI's one port" "0 81 00 00 09 8A" \
  "$status $(cat "$TEST_TMP/received")"
remove_added_usb_ports

add_usb_port COM12 0403 6001 A12345 "Serielles USB-Gerät (COM12)"
run_piped zade-config '' --list-ports
expect_equal "--list-ports: the German name in code page 437, exactly" \
  "COM12	Serielles USB-Ger$(printf '\x84')t (COM12) [USB\\VID_0403&PID_6001&REV_0600]" \
  "$(grep -a '^COM12' "$TEST_TMP/out" | tr -d '\r')"

start_sim 12 --log "$TEST_TMP/received"
run_piped zade-config '' --mode 100
stop_sim
expect_equal "--mode without --port: exit status" 0 "$status"
expect_output "--mode without --port takes the one USB port" \
  "COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n"
expect_equal "--mode without --port: the request on COM12" "81 00 00 09 8A" "$(cat "$TEST_TMP/received")"

add_usb_port COM3 067B 2303 B678 "Périphérique série USB € ✓ (COM3)"
run_piped zade-config '' --list-ports
# 437 has no euro sign, and for the check mark its best fit, the root sign.
expect_equal "--list-ports: the French name, what 437 lacks as its best fit or ?" \
  "COM3	P$(printf '\x82')riph$(printf '\x82')rique s$(printf '\x82')rie USB ? $(printf '\xfb') (COM3) [USB\\VID_067B&PID_2303&REV_0600]" \
  "$(grep -a '^COM3' "$TEST_TMP/out" | tr -d '\r')"
start_sim 12 --log "$TEST_TMP/received"
run_piped zade-config '' --mode 100
stop_sim
expect_equal "two USB ports: exit status" 1 "$status"
expect_equal "two USB ports: none is chosen" \
  "zade-config: more than one USB serial port; name one with --port." \
  "$(tr -d '\r' <"$TEST_TMP/err" | head -1)"
expect_equal "two USB ports: nothing sent" "" "$(cat "$TEST_TMP/received" 2>/dev/null)"

# On a console the names come whole, what the code page lacks included.
program_command zade-config
console_run env LC_ALL=C.UTF-8 "${PROGRAM[@]}" --list-ports
expect_screen "COM12   Serielles USB-Gerät (COM12) [USB\VID_0403&PID_6001&REV_0600]" 60
expect_screen "COM3    Périphérique série USB € ✓ (COM3) [USB\VID_067B&PID_2303&REV_0600]"
finish
