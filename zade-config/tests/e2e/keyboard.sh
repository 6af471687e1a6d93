#!/usr/bin/env bash
# zade-config typed at a real keyboard (a tmux console): each result screen
# waits at "Press Enter..." until a key is pressed, a key typed before the
# prompt ends the wait at once, and the status follows the screen.
source "$E2E_RUNNER"

# top_lines N: the first N lines of the screen.
top_lines() { console_screen | head -n "$1"; }

start_sim 2
run_in_console zade-config
answer_zade_config 2 9
expect_screen "Press Enter..."
expect_equal "OK screen" "
OK!!!
CAN BUS mode =  9    ( 100 kbit/s - K-CAN )
Press Enter..." "$(top_lines 4)"
expect_equal "OK screen: still waiting a second later" running "$(console_wait_exit 2)"
console_keys Enter
expect_equal "OK screen: a key ends the program with status 0" 0 "$(console_wait_exit 15)"
console_close
stop_sim

# The adapter answers 2 s late; the key typed meanwhile counts.
start_sim 2 --delay 2000
run_in_console zade-config
answer_zade_config 2
expect_screen "Input CAN BUS MODE :"
console_keys 9 Enter q
expect_equal "no prompt yet when the key is typed" no \
  "$(console_screen | grep -qF "Press Enter..." && echo yes || echo no)"
expect_screen "OK!!!"
expect_equal "a key typed before the prompt ends the wait at once" 0 "$(console_wait_exit 5)"
console_close
stop_sim

run_in_console zade-config
answer_zade_config x
expect_screen "Press Enter..."
expect_equal "open-error screen" "                   ORX D-CAN USB INTERFACE
                       www.example.com
------------------------------------------------------------
           1 - Write config.        0 - Exit
------------------------------------------------------------
Error: COMx in use or does not exist.
Press Enter..." "$(top_lines 7)"
expect_equal "open-error screen: still waiting a second later" running "$(console_wait_exit 2)"
console_keys a
expect_equal "open-error screen: a key ends the program with status 255 (low byte of -1)" \
  255 "$(console_wait_exit 15)"
console_close

start_sim 2 --silent
run_in_console zade-config
answer_zade_config 2 9
expect_screen "Press Enter..." 30
expect_equal "no-answer screen" "Input CAN BUS MODE : 9


Error, adapter not conected!!!
Press Enter..." "$(console_screen | grep -A 4 -F "Input CAN BUS MODE :")"
expect_equal "no-answer screen: still waiting a second later" running "$(console_wait_exit 2)"
console_keys Space
expect_equal "no-answer screen: a key ends the program with status 255" 255 "$(console_wait_exit 15)"
finish
