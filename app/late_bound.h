#pragma once

#include <windows.h>

namespace vantor::app {

// A function of comdlg32 or shell32, which only the Open dialog and a drop
// use, looked up on first use. Imported, they would load at start-up with
// all they bring (comdlg32 the printing libraries), which under Wine made
// the window come up 10-20 % later. Both are system libraries that Windows
// loads from its own folder whatever the search order. Null when the
// library or the function is missing.
template <typename Function>
Function* lateBound(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace vantor::app
