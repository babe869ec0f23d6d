#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "app/open_dialog.h"
#include "replay/decode.h"
#include "resources/resource.h"
#include "view/tuning.h"
#include "view/window_content.h"

namespace vantor::app {

// Everything the main window keeps for the run. The window owns it: it is
// handed over at WM_INITDIALOG and freed when the window is gone.
struct MainWindow {
  HINSTANCE instance = nullptr;
  HWND dialog = nullptr;
  HWND list = nullptr;
  // What the shown replay's file holds, and nothing else, with which of
  // its values it holds and its bytesHeld.
  replay::DecodedReplay shown;
  // The path of the replay shown, as the system gave it: what Copy names.
  // Nothing before the first load, and then Copy does nothing.
  std::optional<std::wstring> shownPath;
  OpenDialogBuffers openBuffers;
};

// The sliders, in the order of view::kTuningFields.
inline constexpr std::array kSliderIds{IDC_RIDE_HEIGHT, IDC_SHOCK_STIFFNESS, IDC_SHOCK_TRAVEL, IDC_TOE_IN,
                                       IDC_BRAKE_BALANCE};
static_assert(kSliderIds.size() == view::kTuningFields.size(), "one slider for each tuning setting");

// Registers the slider and list view classes; once, before the window.
void initCommonControls();

// The modeless main dialog, child of the desktop, not yet visible; null
// when it cannot be created. Destroying it posts the quit message (code 0).
HWND createMainWindow(HINSTANCE instance);

// The state of a window made by createMainWindow (null for any other).
MainWindow* mainWindowOf(HWND dialog);

// Reads the replay at path and shows what its file holds, in place of the
// replay shown before, its eight record rows included: 0. When the file
// cannot be read (nothing there, a folder, locked, not ours to read) the
// answer is -1 and the window stays exactly as it was.
int openReplay(MainWindow& window, const std::wstring& path);

// What the window shows of its replay, and so what Copy copies; only once
// a replay is shown. The views take paths as UTF-8, as vantor-info hands
// them over, so the caption here is the one vantor-info prints.
view::WindowContent shownContent(const MainWindow& window);

// The dialog procedure: TRUE for the Exit command, FALSE for everything
// else, including what it acts on (among them WM_INITDIALOG, which sets the
// focus itself, WM_DROPFILES, WM_CONTEXTMENU and the Copy command).
INT_PTR CALLBACK mainWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vantor::app
