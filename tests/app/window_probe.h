#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"

// Reads the main window's controls back the way a user sees them.
namespace vantor::testing {

std::string windowText(HWND window);
inline std::string itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }
// Every row as its four column texts.
std::vector<std::vector<std::string>> listRows(HWND list);

// Dispatches what is queued for this thread without waiting; a quit
// message is taken off the queue and its code returned (else -1).
int drainMessages();

// Runs modal while a timer looks for a visible top-level window titled
// caption and runs action once on it. A dialog still open two seconds later
// is cancelled, so that a broken dialog fails a test instead of hanging it.
// True when the action ran and the dialog closed without that.
bool duringModal(const std::string& caption, const std::function<void(HWND)>& action,
                 const std::function<void()>& modal);

// A fresh main window from the real template for each test, and a folder
// for its replays; whatever a test leaves queued is gone before the next.
class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { app::initCommonControls(); }
  void SetUp() override;
  void TearDown() override;

  std::string write(const std::string& name, const ReplayBuilder& replay) const {
    return files.write(name, replay.bytes());
  }
  int open(const std::string& path) const { return app::openReplay(*window, path); }
  // Sends the command of the menu bar's item (menu, item) to the window's
  // procedure, as a click on it does, and checks the procedure's answer.
  void command(int menu, int item, INT_PTR answer) const {
    const UINT id = GetMenuItemID(GetSubMenu(GetMenu(dialog), menu), item);
    EXPECT_EQ(app::mainWindowProc(dialog, WM_COMMAND, id, 0), answer) << "command " << id;
  }
  // The caption and the text of every value field, in a fixed order.
  std::vector<std::string> shownTexts() const;

  TempDir files;
  HWND dialog = nullptr;
  app::MainWindow* window = nullptr;
  HWND list = nullptr;
};

}  // namespace vantor::testing
