#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "app/open_dialog.h"
#include "replay/replay_info.h"
#include "resources/resource.h"
#include "view/tuning.h"

namespace vantor::app {

// Everything the main window keeps for the run. The window owns it: it is
// handed over at WM_INITDIALOG and freed when the window is gone.
struct MainWindow {
  HINSTANCE instance = nullptr;
  HWND dialog = nullptr;
  HWND list = nullptr;
  replay::ReplayInfo info;  // every load overwrites it in place
  // The path of the last load that showed something, as loaded: what Copy
  // copies. Nothing before the first, and then Copy does nothing.
  std::optional<std::string> shownPath;
  OpenDialogBuffers openBuffers;
};

// The sliders, in the order of view::kTuningFields.
constexpr std::array<int, view::kTuningFields.size()> sliderIds() {
  std::array<int, view::kTuningFields.size()> ids{};
  for (std::size_t i = 0; i != ids.size(); ++i) ids[i] = view::kTuningFields[i].sliderId;
  return ids;
}
inline constexpr auto kSliderIds = sliderIds();

// Registers the slider and list view classes; once, before the window.
void initCommonControls();

// The modeless main dialog, child of the desktop, not yet visible; null
// when it cannot be created. Destroying it posts the quit message (code 0).
HWND createMainWindow(HINSTANCE instance);

// The state of a window made by createMainWindow (null for any other).
MainWindow* mainWindowOf(HWND dialog);

// Loads path into the window's ReplayInfo and shows it: 0, or -1 when the
// path names nothing, in which case the window stays as it was. Adds the
// eight record rows without emptying the list first. The Open command and a
// dropped file empty it, then call this.
int openReplay(MainWindow& window, const std::string& path);

// The dialog procedure: TRUE for WM_INITDIALOG and for the Exit command,
// FALSE for everything else, including what it acts on (among them
// WM_DROPFILES, WM_CONTEXTMENU and the Copy command).
INT_PTR CALLBACK mainWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vantor::app
