#pragma once

#include <windows.h>

namespace vantor::app {

// Gets, translates and dispatches the thread's messages until the quit
// message, and returns its exit code. Messages skip the dialog keyboard
// handling, so Tab and the arrow keys never move the focus. Keys meant for
// window or any of its controls go through the accelerator table first,
// which sends its commands to window.
int runMessageLoop(HWND window = nullptr, HACCEL accelerators = nullptr);

}  // namespace vantor::app
