# The screens of zade-config as piped standard output carries them: with no
# console behind standard output the cursor moves do nothing, so every clear
# shows as its 1999 blanks.
CLEAR=$(printf '%1999s' '')
RULE='------------------------------------------------------------\n'
BANNER="$CLEAR                   ORX D-CAN USB INTERFACE                   \n\
                       www.example.com                      \n\
$RULE           1 - Write config.        0 - Exit                \n$RULE"
PORT_QUESTION="${CLEAR}1.Connect D-CAN adapter to USB port\n2.Connect D-CAN adapter to car OBD connector.\n\
3.Enter COM port number '1,2,3...': "
MENU_ANSWER="$CLEAR$BANNER"
CAN_MODE_SCREEN="$CLEAR\n------------ CAN MODE ------------\n\
1 = 500 kbit/s D-CAN and PTCAN\n9 = 100 kbit/s K-CAN\n0 = CAN OFF\n\
----------------------------------\nInput CAN BUS MODE : \n"
UP_TO_MODE="$PORT_QUESTION$BANNER$MENU_ANSWER$CAN_MODE_SCREEN"

# ok_screen VALUE DESCRIPTION: the result screen after a reply.
ok_screen() {
  printf '%s' "$CLEAR\nOK!!!\nCAN BUS mode = $1$2\nPress Enter..."
}
