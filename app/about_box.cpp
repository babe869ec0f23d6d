#include "app/about_box.h"

#include "resources/resource.h"

namespace vantor::app {

INT_PTR showAbout(HWND owner, HINSTANCE instance) {
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUT), owner, aboutProc, 0);
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  const WORD command = LOWORD(wParam);
  if (command != IDOK && command != IDCANCEL) return FALSE;
  EndDialog(dialog, command);
  return TRUE;
}

}  // namespace vantor::app
