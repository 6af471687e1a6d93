// The window on Windows: one dialog from its template, its exchange on a
// worker thread that posts the outcome back, so the window goes on
// answering meanwhile.
#pragma once

#include <windows.h>

#include "window_system.h"

// Shows the window until it is closed; returns the exit status: 0, or 1
// when the window could not be made (a message box says why).
int RunWindow(HINSTANCE instance, const WindowSystem& system);
