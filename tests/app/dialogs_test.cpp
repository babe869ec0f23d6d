// The Open dialog and the About box, reached from the menu as a user does.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <cstring>
#include <string>

#include "app/about_box.h"
#include "app/open_dialog.h"
#include "resources/resource.h"
#include "tests/app/window_probe.h"

namespace vantor::testing {
namespace {

// The Explorer dialog's file name control: an edit or a combo box, by version.
HWND fileNameControl(HWND openDialog) {
  HWND combo = GetDlgItem(openDialog, cmb13);
  return combo != nullptr ? combo : GetDlgItem(openDialog, edt1);
}

TEST(OpenRequest, HasTheClassicSizeTheReplayFilterAndAnEmptyPath) {
  app::OpenDialogBuffers buffers;
  std::strcpy(buffers.path.data(), "C:\\earlier\\choice.rpl");
  const OPENFILENAMEA request = app::makeOpenRequest(nullptr, nullptr, buffers);
  EXPECT_EQ(request.lStructSize, sizeof(void*) == 4 ? 76u : 136u);  // the classic layout, without later fields
  EXPECT_EQ(std::memcmp(request.lpstrFilter, "Replayfiles(*.rpl)\0*.rpl\0All Files\0*.*\0", 40), 0);
  EXPECT_EQ(request.nFilterIndex, 1u);
  EXPECT_EQ(request.lpstrFile, buffers.path.data());
  EXPECT_EQ(request.nMaxFile, 256u);
  EXPECT_EQ(buffers.path[0], '\0');
  EXPECT_EQ(request.Flags, 0x0088182Cu);
  EXPECT_EQ(app::openDialogHook(nullptr, WM_INITDIALOG, 0, 0), TRUE);
  EXPECT_EQ(app::openDialogHook(nullptr, WM_NOTIFY, 0, 0), FALSE);
}

using LoadFile = MainWindowTest;

TEST_F(LoadFile, AChosenReplayReplacesTheShownOne) {
  ASSERT_EQ(open(write("first.rpl", sampleReplay())), 0);
  const std::string second = write("second.rpl", sampleReplay().driverName("Tomas V.").recordName(0, "Zora Quill"));
  HWND owner = nullptr;
  const auto choose = [&](HWND open) {
    owner = GetWindow(open, GW_OWNER);
    SetWindowTextA(fileNameControl(open), second.c_str());
    PostMessageA(open, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(open, IDOK)));
  };
  EXPECT_TRUE(duringModal("Open", choose, [&] { command(0, 0, FALSE); }));
  EXPECT_EQ(owner, dialog);
  EXPECT_EQ(windowText(dialog), "Vantor : [second.rpl]");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Tomas V.");
  const auto rows = listRows(list);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[0][1], "Zora Quill");
}

TEST_F(LoadFile, CancelChangesNothing) {
  ASSERT_EQ(open(write("race.rpl", sampleReplay())), 0);
  const auto rows = listRows(list);
  const auto cancel = [](HWND open) { PostMessageA(open, WM_COMMAND, IDCANCEL, 0); };
  EXPECT_TRUE(duringModal("Open", cancel, [&] { command(0, 0, FALSE); }));
  EXPECT_EQ(windowText(dialog), "Vantor : [race.rpl]");
  EXPECT_EQ(listRows(list), rows);
}

using About = MainWindowTest;

TEST_F(About, TheMenuShowsItOwnedByTheWindowEnterOrEscapeCloseIt) {
  HWND owner = nullptr;
  const auto enter = [&](HWND about) {
    owner = GetWindow(about, GW_OWNER);
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
  };
  EXPECT_TRUE(duringModal("About", enter, [&] { command(1, 0, FALSE); }));
  EXPECT_EQ(owner, dialog);

  INT_PTR otherCommand = -1;
  INT_PTR closedWith = 0;
  const auto escape = [&](HWND about) {
    otherCommand = app::aboutProc(about, WM_COMMAND, 3, 0);  // leaves it open
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  };
  EXPECT_TRUE(duringModal("About", escape, [&] { closedWith = app::showAbout(dialog, GetModuleHandleA(nullptr)); }));
  EXPECT_EQ(closedWith, IDCANCEL);
  EXPECT_EQ(otherCommand, FALSE);
}

}  // namespace
}  // namespace vantor::testing
