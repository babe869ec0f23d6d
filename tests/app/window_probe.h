#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/utf16.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

// Reads the main window's controls back the way a user sees them, in
// UTF-16 as the controls hold them, given as UTF-8 to compare.
namespace vantor::testing {

inline std::string windowText(HWND window) {
  std::array<wchar_t, 512> text{};
  GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return app::utf8From(text.data());
}

inline std::string itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

// Every row as its four column texts.
inline std::vector<std::vector<std::string>> listRows(HWND list) {
  std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(ListView_GetItemCount(list)));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (int column = 0; column < 4; ++column) {
      std::array<wchar_t, 512> text{};
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = text.data();
      item.cchTextMax = static_cast<int>(text.size());
      SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
      rows[row].push_back(app::utf8From(text.data()));
    }
  }
  return rows;
}

// Dispatches what is queued for this thread without waiting; a quit
// message is taken off the queue and its code returned (else -1).
inline int drainMessages() {
  int quitCode = -1;
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) quitCode = static_cast<int>(message.wParam);
    else DispatchMessageW(&message);
  }
  return quitCode;
}

// What the timer of duringModal runs.
inline std::function<void()> onModalTick;
inline void CALLBACK modalTick(HWND, UINT, UINT_PTR, DWORD) { onModalTick(); }

// Runs modal while a timer looks for a visible top-level window titled
// caption and runs action once on it. A dialog or menu still open two seconds
// later is cancelled, so that a broken one fails a test instead of hanging it.
// True when the action ran and the dialog closed without that.
inline bool duringModal(const std::string& caption, const std::function<void(HWND)>& action,
                        const std::function<void()>& modal) {
  constexpr int kGraceTicks = 40;
  int ticksSinceAction = -1;
  onModalTick = [&] {
    HWND found = FindWindowW(nullptr, app::wideFromUtf8(caption).c_str());
    if (found == nullptr || !IsWindowVisible(found)) return;
    if (ticksSinceAction < 0) {
      ticksSinceAction = 0;
      action(found);
    } else if (++ticksSinceAction == kGraceTicks) {
      PostMessageA(found, WM_COMMAND, IDCANCEL, 0);
      EndMenu();
    }
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, modalTick);
  modal();
  KillTimer(nullptr, timer);
  return ticksSinceAction >= 0 && ticksSinceAction < kGraceTicks;
}

// Folders that take a path past 300 characters, well over the classic 260.
inline const std::wstring kDeepFolders =
    std::wstring(100, L'd') + L"\\" + std::wstring(100, L'e') + L"\\" + std::wstring(100, L'f') + L"\\";

// A fresh main window from the real template for each test, and a folder
// for its replays; whatever a test leaves queued is gone before the next.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app::initCommonControls();
    drainMessages();
    dialog = app::createMainWindow(GetModuleHandleW(nullptr));
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    list = app::mainWindowOf(dialog)->list;
  }
  void TearDown() override {
    if (IsWindow(dialog)) DestroyWindow(dialog);
    drainMessages();
  }

  // Writes the replay as name (in any script, its folders made) and returns the full path.
  std::wstring write(const std::wstring& name, const ReplayBuilder& replay) const {
    const std::filesystem::path path = std::filesystem::path(files.path()) / name;
    std::filesystem::create_directories(path.parent_path());
    writeFile(path, replay.bytes());
    return path.wstring();
  }
  int open(const std::wstring& path) const { return app::openReplay(*app::mainWindowOf(dialog), path); }
  // Sends the command of the menu bar's item (menu, item) as a click does; checks the answer.
  void command(int menu, int item, INT_PTR answer) const {
    const UINT id = GetMenuItemID(GetSubMenu(GetMenu(dialog), menu), item);
    EXPECT_EQ(app::mainWindowProc(dialog, WM_COMMAND, id, 0), answer) << "command " << id;
  }
  // The caption and the text of every value field, in a fixed order.
  std::vector<std::string> shownTexts() const {
    std::vector<std::string> texts{windowText(dialog)};
    for (const int id : {IDC_TRACK, IDC_DRIVER, IDC_CAR, IDC_DIRECTION, IDC_LAPS, IDC_GEAR_1, IDC_GEAR_2, IDC_GEAR_3,
                         IDC_GEAR_4, IDC_GEAR_5, IDC_GEAR_6, IDC_GEAR_REVERSE, IDC_GEAR_FINAL, IDC_DOWNFORCE_LEFT,
                         IDC_DOWNFORCE_RIGHT, IDC_TYRE_PRESSURE_LEFT, IDC_TYRE_PRESSURE_RIGHT})
      texts.push_back(itemText(dialog, id));
    return texts;
  }

  TempDir files;
  HWND dialog = nullptr;
  HWND list = nullptr;
};

}  // namespace vantor::testing
