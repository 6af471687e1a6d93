// The window's resources: its dialog and the controls in it, for the dialog
// template and the code that drives it (and the tests' driver).
#pragma once

#define IDD_WINDOW 100

#define IDC_PORT_LABEL 1000
#define IDC_PORT 1001
#define IDC_REFRESH 1002
#define IDC_MODE_GROUP 1003
#define IDC_MODE_FIRST 1004  // one a mode, in the order of kModeChoices
#define IDC_MODE_LAST 1006
#define IDC_RESULT_LABEL 1007
#define IDC_RESULT_ICON 1008  // information; the error icon in the same place
#define IDC_RESULT 1009
#define IDC_RESULT_ERROR_ICON 1010
// Write and Close are the dialog's IDOK and IDCANCEL: Enter and Esc.
