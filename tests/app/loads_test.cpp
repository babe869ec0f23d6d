// Paths a replay from anywhere can have, through the window's controls:
// unreadable, missing, oddly named, past 2 GiB; and a long session of such
// loads, which must give back whatever each one takes. Short files are the
// reader's.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "resources/resource.h"
#include "tests/app/window_probe.h"

namespace vantor::testing {
namespace {

using Row = std::vector<std::string>;
using BadInput = MainWindowTest;

TEST_F(BadInput, PathsThatCannotBeReadKeepTheValuesShown) {
  ASSERT_EQ(open(write("race.rpl", sampleReplay())), 0);
  std::vector<std::string> shown = shownTexts();
  const std::vector<Row> rows = listRows(list);
  EXPECT_EQ(open(files.pathOf("missing.rpl")), -1);
  EXPECT_EQ(shownTexts(), shown);
  EXPECT_EQ(listRows(list), rows);

  const std::string folder = files.pathOf("a folder");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string held = write("held.rpl", sampleReplay().driverName("Locked"));
  HANDLE hold = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(hold, INVALID_HANDLE_VALUE);
  std::vector<Row> expectedRows = rows;
  for (const auto& [path, name] : {std::pair{folder, "a folder"}, std::pair{held, "held.rpl"}}) {
    // The caption follows the path; the rows come again, as no Open dialog emptied the list.
    EXPECT_EQ(open(path), 0);
    shown[0] = std::string("Vantor : [") + name + "]";
    EXPECT_EQ(shownTexts(), shown);
    expectedRows.insert(expectedRows.end(), rows.begin(), rows.end());
    EXPECT_EQ(listRows(list), expectedRows);
  }
  CloseHandle(hold);
}

TEST_F(BadInput, OddNamesAndSizesReachTheFileAndTheCaption) {
  const wchar_t* wide = L"Gen\u00E8ve \u00C9t\u00E9.rpl";
  std::string name(64, '\0');
  name.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, wide, -1, name.data(), 64, nullptr, nullptr) - 1));
  sampleReplay().writeTo(files.pathOf(name));
  ASSERT_EQ(open(files.pathOf(name)), 0);
  std::array<wchar_t, 64> caption{};
  GetWindowTextW(dialog, caption.data(), static_cast<int>(caption.size()));
  EXPECT_EQ(std::wstring(caption.data()), L"Vantor : [" + std::wstring(wide) + L"]");

  // Only at a drive's root does a 250-character name stay within the ANSI calls' 259.
  std::string base = "vantor-" + std::to_string(GetCurrentProcessId()) + "-";
  base.resize(246, 'n');
  base += ".rpl";
  sampleReplay().carName("Long Name").writeTo("C:\\" + base);
  EXPECT_EQ(open("C:\\" + base), 0);
  DeleteFileA(("C:\\" + base).c_str());
  EXPECT_EQ(windowText(dialog), ("Vantor : [" + base).substr(0, 255));
  EXPECT_EQ(itemText(dialog, IDC_CAR), "Long Name");

  // Past 2 GiB: a size in 32 bits would turn negative and the file pass for missing.
  const std::string huge = write("huge.rpl", sampleReplay().driverName("Big Ben"));
  std::filesystem::resize_file(huge, 3ULL << 30);
  ASSERT_EQ(open(huge), 0);
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Big Ben");
}

struct Held {
  unsigned long gdi = 0;
  unsigned long user = 0;
  std::size_t heapBytes = 0;
};

// Wine, which runs these tests, answers GetGuiResources with 0. Its handles
// are indices into 16-bit tables, and an index alone matches the slot's live
// object, so the tables are walked; the USER table is shared, so windows
// count by owner.
Held held() {
  Held h;
  for (std::uintptr_t slot = 1; slot < 0x10000; ++slot) {
    DWORD owner = 0;
    const auto window = reinterpret_cast<HWND>(slot);
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++h.gdi;
    if ((IsWindow(window) && GetWindowThreadProcessId(window, &owner) && owner == GetCurrentProcessId()) ||
        IsMenu(reinterpret_cast<HMENU>(slot)))
      ++h.user;
  }
  std::array<HANDLE, 64> heaps{};
  const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
  for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) h.heapBytes += entry.cbData;
  }
  return h;
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
  };
  loads(50);
  const Held before = held();
  loads(400);
  const Held after = held();
  EXPECT_GT(before.gdi, 0u);
  EXPECT_GT(before.user, 0u);
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
  EXPECT_LE(after.heapBytes, before.heapBytes + 4096) << "from " << before.heapBytes;
  EXPECT_EQ(windowText(dialog), "Vantor : [monaco.rpl]");
}

}  // namespace
}  // namespace vantor::testing
