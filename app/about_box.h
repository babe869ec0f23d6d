#pragma once

#include <windows.h>

namespace vantor::app {

// Shows the About box, modal to owner, and returns how it was closed:
// IDOK (the Close button or Enter) or IDCANCEL (Escape or the close box).
INT_PTR showAbout(HWND owner, HINSTANCE instance);

// Its dialog procedure: TRUE for WM_INITDIALOG and for the two commands
// that end it, FALSE for everything else.
INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vantor::app
