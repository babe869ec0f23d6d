// The Open dialog and the About box, driven the way a user would.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <array>
#include <cstring>
#include <string>

#include "app/about_box.h"
#include "app/open_dialog.h"
#include "resources/resource.h"
#include "tests/app/main_window_fixture.h"

namespace vantor::testing {
namespace {

std::string currentDirectory() {
  std::array<char, MAX_PATH> path{};
  GetCurrentDirectoryA(MAX_PATH, path.data());
  return path.data();
}

// The Explorer dialog's file name control: an edit or a combo box, by version.
HWND fileNameControl(HWND openDialog) {
  HWND combo = GetDlgItem(openDialog, cmb13);
  return combo != nullptr ? combo : GetDlgItem(openDialog, edt1);
}

// Types path into the Open dialog and presses its OK button.
void choose(HWND openDialog, const std::string& path) {
  SetWindowTextA(fileNameControl(openDialog), path.c_str());
  PostMessageA(openDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(openDialog, IDOK)));
}

void cancel(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

TEST(OpenRequest, CarriesTheFixedFieldsAndEmptiesThePath) {
  app::OpenDialogBuffers buffers;
  std::strcpy(buffers.path.data(), "C:\\earlier\\choice.rpl");
  HWND owner = GetDesktopWindow();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  const OPENFILENAMEA request = app::makeOpenRequest(owner, instance, buffers);

  EXPECT_EQ(request.lStructSize, 76u);
  EXPECT_EQ(request.hwndOwner, owner);
  EXPECT_EQ(request.hInstance, instance);
  constexpr char kFilter[] = "Replayfiles(*.rpl)\0*.rpl\0All Files\0*.*\0";
  ASSERT_NE(request.lpstrFilter, nullptr);
  EXPECT_EQ(std::memcmp(request.lpstrFilter, kFilter, 40), 0);
  EXPECT_EQ(request.lpstrCustomFilter, nullptr);
  EXPECT_EQ(request.nMaxCustFilter, 0u);
  EXPECT_EQ(request.nFilterIndex, 1u);
  EXPECT_EQ(request.lpstrFile, buffers.path.data());
  EXPECT_EQ(request.nMaxFile, 256u);
  EXPECT_EQ(buffers.path[0], '\0');
  EXPECT_EQ(request.lpstrFileTitle, buffers.title.data());
  EXPECT_EQ(request.nMaxFileTitle, 256u);
  EXPECT_EQ(request.lpstrInitialDir, nullptr);
  EXPECT_EQ(request.lpstrTitle, nullptr);
  EXPECT_EQ(request.lpstrDefExt, nullptr);
  EXPECT_EQ(request.lCustData, 0);
  EXPECT_EQ(request.lpTemplateName, nullptr);
  EXPECT_EQ(request.Flags, 0x0088182Cu);
  EXPECT_EQ(request.lpfnHook, &app::openDialogHook);
}

TEST(OpenRequest, HookAnswersOnlyItsInitialisation) {
  EXPECT_EQ(app::openDialogHook(nullptr, WM_INITDIALOG, 0, 0), TRUE);
  for (const UINT message : {UINT{WM_COMMAND}, UINT{WM_NOTIFY}, UINT{WM_DESTROY}, UINT{WM_SIZE}, UINT{WM_CLOSE}})
    EXPECT_EQ(app::openDialogHook(nullptr, message, 0, 0), FALSE) << "message " << message;
}

using LoadFile = MainWindowTest;

TEST_F(LoadFile, ChosenReplaysReplaceEachOtherWithEightRows) {
  ReplayBuilder second = sampleReplay();
  second.driverName("Tomas V.").recordName(0, "Zora Quill");
  const std::string first = write("first.rpl", sampleReplay());
  const std::string other = write("second.rpl", second);
  const std::string directory = currentDirectory();

  std::string nameAtStart = "unset";
  std::string filterShown;
  {
    ModalDriver driver("Open", [&](HWND open) {
      nameAtStart = windowText(fileNameControl(open));
      std::array<char, 64> text{};
      SendDlgItemMessageA(open, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
      filterShown = text.data();
      choose(open, first);
    });
    EXPECT_EQ(app::mainWindowProc(dialog, WM_COMMAND, IDM_FILE_LOAD, 0), FALSE);
    ASSERT_TRUE(driver.ran());
    EXPECT_FALSE(driver.forcedClose());
  }
  EXPECT_EQ(nameAtStart, "");
  EXPECT_EQ(filterShown, "Replayfiles(*.rpl)");
  EXPECT_EQ(windowText(dialog), "Vantor : [first.rpl]");
  EXPECT_EQ(listRows(list).size(), 8u);

  {
    nameAtStart = "unset";
    ModalDriver driver("Open", [&](HWND open) {
      nameAtStart = windowText(fileNameControl(open));
      choose(open, other);
    });
    app::mainWindowProc(dialog, WM_COMMAND, IDM_FILE_LOAD, 0);
    ASSERT_TRUE(driver.ran());
  }
  EXPECT_EQ(nameAtStart, "");  // the earlier choice is not offered again
  EXPECT_EQ(windowText(dialog), "Vantor : [second.rpl]");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Tomas V.");
  const auto rows = listRows(list);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[0][1], "Zora Quill");
  EXPECT_EQ(currentDirectory(), directory);
}

TEST_F(LoadFile, CancelChangesNothing) {
  ASSERT_EQ(open(write("race.rpl", sampleReplay())), 0);
  const auto rowsBefore = listRows(list);
  {
    ModalDriver driver("Open", cancel);
    app::mainWindowProc(dialog, WM_COMMAND, IDM_FILE_LOAD, 0);
    ASSERT_TRUE(driver.ran());
  }
  EXPECT_EQ(windowText(dialog), "Vantor : [race.rpl]");
  EXPECT_EQ(listRows(list), rowsBefore);
  EXPECT_TRUE(IsWindow(dialog));
}

using About = MainWindowTest;

TEST_F(About, EscapeClosesIt) {
  HWND owner = nullptr;
  bool hasIcon = false;
  ModalDriver driver("About", [&](HWND about) {
    owner = GetWindow(about, GW_OWNER);
    hasIcon = SendDlgItemMessageA(about, IDC_ABOUT_ICON, STM_GETICON, 0, 0) != 0;
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
  });
  EXPECT_EQ(app::showAbout(dialog, GetModuleHandleA(nullptr)), IDCANCEL);
  EXPECT_TRUE(driver.ran());
  EXPECT_FALSE(driver.forcedClose());
  EXPECT_EQ(owner, dialog);
  EXPECT_TRUE(hasIcon);
}

TEST_F(About, CloseButtonClosesIt) {
  ModalDriver driver("About", [](HWND about) { SendDlgItemMessageA(about, IDOK, BM_CLICK, 0, 0); });
  EXPECT_EQ(app::showAbout(dialog, GetModuleHandleA(nullptr)), IDOK);
  EXPECT_FALSE(driver.forcedClose());
}

TEST_F(About, OtherCommandsLeaveItOpen) {
  INT_PTR answer = -1;
  bool stillOpen = false;
  ModalDriver driver("About", [&](HWND about) {
    answer = app::aboutProc(about, WM_COMMAND, 3, 0);
    stillOpen = IsWindowVisible(about) != FALSE;
    cancel(about);
  });
  EXPECT_EQ(app::showAbout(dialog, GetModuleHandleA(nullptr)), IDCANCEL);
  EXPECT_EQ(answer, FALSE);
  EXPECT_TRUE(stillOpen);
}

TEST_F(About, MenuCommandShowsItOwnedByTheMainWindow) {
  HWND owner = nullptr;
  ModalDriver driver("About", [&](HWND about) {
    owner = GetWindow(about, GW_OWNER);
    cancel(about);
  });
  EXPECT_EQ(app::mainWindowProc(dialog, WM_COMMAND, IDM_HELP_ABOUT, 0), FALSE);
  EXPECT_TRUE(driver.ran());
  EXPECT_EQ(owner, dialog);
  EXPECT_TRUE(IsWindow(dialog));
}

}  // namespace
}  // namespace vantor::testing
