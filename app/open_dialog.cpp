#include "app/open_dialog.h"

#include "app/late_bound.h"

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
  static auto* const open = lateBound<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  OPENFILENAMEW request = makeOpenRequest(owner, instance, buffers);
  if (open == nullptr || !open(&request)) return std::nullopt;
  return std::wstring(buffers.path.data());
}

}  // namespace vantor::app
