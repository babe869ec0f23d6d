// The baseline for the window start-up benchmark: the least a dialog
// program does (a modeless dialog from a template, shown, a message loop),
// built the same way as vantor.exe.
#include <windows.h>

namespace {

INT_PTR CALLBACK emptyDialogProc(HWND dialog, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(dialog);
      return FALSE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(1), nullptr, emptyDialogProc, 0);
  if (dialog == nullptr) return 1;
  ShowWindow(dialog, SW_SHOW);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
