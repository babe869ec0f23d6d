// The program's entry: the start-up path, the main window, the loop.
#include <windows.h>

#include <new>
#include <string>

#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/startup_path.h"
#include "resources/resource.h"

namespace {

// No memory for the copy means no start-up path.
std::wstring startupPathOfProcess() {
  try {
    return vantor::app::startupPath(vantor::app::commandTail(GetCommandLineW()));
  } catch (const std::bad_alloc&) {
    return {};
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  using namespace vantor::app;
  const std::wstring path = startupPathOfProcess();  // held for the whole run
  initCommonControls();
  HWND dialog = createMainWindow(instance);
  if (dialog == nullptr) return 0;
  // An empty path names no file, so this shows nothing and says nothing.
  openReplay(*mainWindowOf(dialog), path);
  ShowWindow(dialog, SW_SHOW);  // with the menu the template gives it
  // A resource of the module: freed with the process.
  return runMessageLoop(dialog, LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS)));
}
