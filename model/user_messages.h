// What the program tells the user: a message box in the window program, one line on standard
// error in the console program (where no box may wait for a click).
#pragma once

#include <windows.h>

// MessageBoxA's arguments and result. In the console program the answer is IDOK, or IDNO to a
// question, and an error icon marks the run as failed.
int tellUser(HWND owner, const char *text, const char *caption, UINT type);
// Whether the console program told of an error.
bool consoleFailed();
