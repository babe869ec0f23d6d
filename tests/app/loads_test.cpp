// Paths a replay from anywhere can have: held open by another program,
// missing, a folder, past 2 GiB. Names in any script are the drop's and
// the Open dialog's to show.
#include "app/file_system_path.h"
#include "tests/app/window_probe.h"

namespace vantor::testing {
namespace {

using BadInput = MainWindowTest;

TEST_F(BadInput, PathsThatCannotBeReadChangeNothingInTheWindow) {
  ASSERT_EQ(open(write(L"race.rpl", sampleReplay())), 0);
  const std::vector<std::string> shown = shownTexts();
  const auto rows = listRows(list);
  const std::wstring held = write(L"held.rpl", sampleReplay().driverName("Locked"));
  HANDLE hold = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  const std::wstring folder = std::filesystem::path(files.path()).wstring();
  for (const std::wstring& path : {held, folder + L"\\missing.rpl", folder, folder + L"\\", std::wstring(L"*.rpl")}) {
    EXPECT_EQ(open(path), -1);
    EXPECT_EQ(shownTexts(), shown);
    EXPECT_EQ(listRows(list), rows);
  }
  CloseHandle(hold);
}

TEST_F(BadInput, AFilePast2GiBIsRead) {
  // A size in 32 bits would turn negative and the file pass for missing.
  const std::wstring huge = write(L"huge.rpl", sampleReplay().driverName("Big Ben"));
  std::filesystem::resize_file(huge, 3ULL << 30);
  ASSERT_EQ(open(huge), 0);
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Big Ben");
}

// The file functions get full paths in the form without the 260-character
// limit, which Windows lifts for the rest only for a program that says so.
TEST(LongPaths, ReachTheFileFunctionsFullAndPrefixedAndTheManifestDeclaresThem) {
  EXPECT_EQ(app::fileSystemPath(L"a/../b.rpl"), LR"(\\?\)" + (std::filesystem::current_path() / L"b.rpl").wstring());
  HRSRC manifest = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_NE(manifest, nullptr);
  const std::string text(static_cast<const char*>(LockResource(LoadResource(nullptr, manifest))),
                         SizeofResource(nullptr, manifest));
  EXPECT_NE(text.find(R"(<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true<)"),
            std::string::npos);
}

}  // namespace
}  // namespace vantor::testing
