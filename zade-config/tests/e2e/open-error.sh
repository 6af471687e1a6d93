#!/usr/bin/env bash
# Port names that no device answers to.
source "$E2E_RUNNER"
source "$(dirname "$0")/screens.sh"

run_piped zade-config 'x\n1\n'
expect_equal "port x: exit status (low byte of -1)" 255 "$status"
expect_output "port x: open-error text" \
  "$PORT_QUESTION$BANNER${MENU_ANSWER}Error: COMx in use or does not exist.\nPress Enter..."

run_piped zade-config '3\n0\n'  # nothing behind COM3: even the exit answer reports it
expect_equal "COM3 without a device, menu 0: exit status" 255 "$status"
expect_output "COM3 without a device" \
  "$PORT_QUESTION$BANNER${MENU_ANSWER}Error: COM3 in use or does not exist.\nPress Enter..."
finish
