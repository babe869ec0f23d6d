// Paths a replay from anywhere can have: held open by another program,
// missing, oddly named, past 2 GiB. A folder is the reader's to test.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/app/window_probe.h"

namespace vantor::testing {
namespace {

using BadInput = MainWindowTest;

TEST_F(BadInput, PathsThatCannotBeReadKeepTheValuesShown) {
  ASSERT_EQ(open(write("race.rpl", sampleReplay())), 0);
  std::vector<std::string> shown = shownTexts();
  const auto rows = listRows(list);
  EXPECT_EQ(open(files.pathOf("missing.rpl")), -1);
  EXPECT_EQ(shownTexts(), shown);
  EXPECT_EQ(listRows(list), rows);

  const std::string held = write("held.rpl", sampleReplay().driverName("Locked"));
  HANDLE hold = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  // The caption follows the path; the rows come again, as no Open dialog emptied the list.
  EXPECT_EQ(open(held), 0);
  CloseHandle(hold);
  shown[0] = "Vantor : [held.rpl]";
  EXPECT_EQ(shownTexts(), shown);
  std::vector<std::vector<std::string>> twice = rows;
  twice.insert(twice.end(), rows.begin(), rows.end());
  EXPECT_EQ(listRows(list), twice);
}

TEST_F(BadInput, OddNamesAndSizesReachTheFileAndTheCaption) {
  ASSERT_EQ(open(write("Gen\xE8ve \xC9t\xE9.rpl", sampleReplay())), 0);  // in the ANSI code page
  std::array<wchar_t, 64> caption{};
  GetWindowTextW(dialog, caption.data(), static_cast<int>(caption.size()));
  EXPECT_STREQ(caption.data(), L"Vantor : [Gen\u00E8ve \u00C9t\u00E9.rpl]");

  // Past 2 GiB: a size in 32 bits would turn negative and the file pass for missing.
  const std::string huge = write("huge.rpl", sampleReplay().driverName("Big Ben"));
  std::filesystem::resize_file(huge, 3ULL << 30);
  ASSERT_EQ(open(huge), 0);
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Big Ben");
}

}  // namespace
}  // namespace vantor::testing
