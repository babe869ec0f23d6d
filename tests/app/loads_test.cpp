// Paths a replay from anywhere can have: unreadable, missing, oddly named,
// past 2 GiB; and hundreds of such loads, which must give back what they take.
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

  const std::string folder = files.pathOf("a folder");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string held = write("held.rpl", sampleReplay().driverName("Locked"));
  HANDLE hold = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  // The caption follows the path; the rows come again, as no Open dialog emptied the list.
  EXPECT_EQ(open(folder), 0);
  EXPECT_EQ(open(held), 0);
  CloseHandle(hold);
  shown[0] = "Vantor : [held.rpl]";
  EXPECT_EQ(shownTexts(), shown);
  std::vector<std::vector<std::string>> thrice;
  for (int i = 0; i < 3; ++i) thrice.insert(thrice.end(), rows.begin(), rows.end());
  EXPECT_EQ(listRows(list), thrice);
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

// Live GDI objects, live USER objects of this process, busy heap bytes.
// Wine answers GetGuiResources with 0, but a 16-bit index alone matches the
// live object of its slot, so the tables are walked; the USER table is
// shared, so windows count by owner.
std::array<std::size_t, 3> held() {
  std::array<std::size_t, 3> counts{};
  for (std::uintptr_t slot = 1; slot < 0x10000; ++slot) {
    DWORD owner = 0;
    const bool ownWindow = GetWindowThreadProcessId(reinterpret_cast<HWND>(slot), &owner) != 0 &&
                           owner == GetCurrentProcessId();
    counts[0] += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0 ? 1u : 0u;
    counts[1] += ownWindow || IsMenu(reinterpret_cast<HMENU>(slot)) ? 1u : 0u;
  }
  std::array<HANDLE, 64> heaps{};
  const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
  for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) counts[2] += entry.cbData;
  }
  return counts;
}

TEST_F(BadInput, HundredsOfLoadsInARowLeaveObjectsAndHeapAsTheyWere) {
  const std::string folder = files.pathOf("a folder.rpl");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::vector<std::string> cycle{write("race.rpl", sampleReplay()), files.pathOf("missing.rpl"), folder,
                                       files.write("empty.rpl", {}),
                                       write("monaco.rpl", sampleReplay().trackKey("monaco2").carName("Brisk 9"))};
  const auto loads = [&](int count) {
    for (int i = 0; i < count; ++i) {
      SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
      open(cycle[static_cast<std::size_t>(i) % cycle.size()]);
      if (i % 50 == 0) drainMessages();
    }
    drainMessages();
    return held();
  };
  const auto before = loads(50);
  const auto after = loads(400);
  EXPECT_GT(before[0], 0u);
  EXPECT_GT(before[1], 0u);
  EXPECT_EQ(after[0], before[0]) << "GDI objects";
  EXPECT_EQ(after[1], before[1]) << "USER objects";
  EXPECT_LE(after[2], before[2] + 4096) << "heap bytes";
  EXPECT_EQ(windowText(dialog), "Vantor : [monaco.rpl]");
}

}  // namespace
}  // namespace vantor::testing
