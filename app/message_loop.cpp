#include "app/message_loop.h"

#include <windows.h>

namespace vantor::app {

int runMessageLoop() {
  MSG message{};
  BOOL got = FALSE;
  // -1 means the call itself failed; it would fail again on every turn.
  while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 0;
}

}  // namespace vantor::app
