#include "app/open_dialog.h"

namespace vantor::app {

OPENFILENAMEW makeOpenRequest(HWND owner, HINSTANCE instance, OpenDialogBuffers& buffers) {
  buffers.path[0] = L'\0';
  OPENFILENAMEW request{};
  request.lStructSize = kOpenRequestSize;
  request.hwndOwner = owner;
  request.hInstance = instance;
  request.lpstrFilter = kReplayFilter;
  request.nFilterIndex = 1;
  request.lpstrFile = buffers.path.data();
  request.nMaxFile = static_cast<DWORD>(buffers.path.size());
  request.lpstrFileTitle = buffers.title.data();
  request.nMaxFileTitle = static_cast<DWORD>(buffers.title.size());
  request.Flags = kOpenFlags;
  request.lpfnHook = openDialogHook;
  return request;
}

UINT_PTR CALLBACK openDialogHook(HWND /*dialog*/, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::optional<std::wstring> chooseReplayFile(HWND owner, HINSTANCE instance, OpenDialogBuffers& buffers) {
  OPENFILENAMEW request = makeOpenRequest(owner, instance, buffers);
  if (!GetOpenFileNameW(&request)) return std::nullopt;
  return std::wstring(buffers.path.data());
}

}  // namespace vantor::app
