#include "app/message_loop.h"

#include <windows.h>

namespace vantor::app {
namespace {

bool isAccelerator(HWND window, HACCEL accelerators, MSG& message) {
  if (accelerators == nullptr || window == nullptr) return false;
  if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
  return TranslateAcceleratorW(window, accelerators, &message) != 0;
}

}  // namespace

int runMessageLoop(HWND window, HACCEL accelerators) {
  MSG message{};
  BOOL got = FALSE;
  // -1 means the call itself failed; it would fail again on every turn.
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    if (isAccelerator(window, accelerators, message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 0;
}

}  // namespace vantor::app
