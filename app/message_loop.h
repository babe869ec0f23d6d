#pragma once

namespace vantor::app {

// Gets, translates and dispatches the thread's messages until the quit
// message, and returns its exit code. Messages skip the dialog keyboard
// handling, so Tab and the arrow keys never move the focus.
int runMessageLoop();

}  // namespace vantor::app
