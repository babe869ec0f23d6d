#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/main_window.h"
#include "replay/reader.h"
#include "tests/app/window_probe.h"
#include "tests/support/replay_builder.h"
#include "tests/support/temp_dir.h"
#include "view/window_content.h"

namespace vantor::testing {

// A fresh main window from the real template for each test, and a folder
// for its replays. Whatever the test leaves queued, a quit message
// included, is gone before the next one.
class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { app::initCommonControls(); }

  void SetUp() override {
    drainMessages();
    dialog = app::createMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
    window = app::mainWindowOf(dialog);
    ASSERT_NE(window, nullptr);
    list = window->list;
  }

  void TearDown() override {
    if (IsWindow(dialog)) DestroyWindow(dialog);
    drainMessages();
  }

  std::string write(const std::string& name, const ReplayBuilder& replay) const {
    return files.write(name, replay.bytes());
  }

  int open(const std::string& path) const { return app::openReplay(*window, path); }

  // What the window must show for path, from a load of its own.
  static view::WindowContent expectedContent(const std::string& path) {
    replay::ReplayInfo info;
    EXPECT_EQ(replay::load(path, info), 0);
    return view::makeWindowContent(path, info);
  }

  TempDir files;
  HWND dialog = nullptr;
  app::MainWindow* window = nullptr;
  HWND list = nullptr;
};

}  // namespace vantor::testing
