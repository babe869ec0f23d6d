// Ten thousand loads into one window, as a long session of File > Load
// would make them: replays of every kind and paths that fail in every way,
// in turn. Whatever a load allocates must be given back, so the window's
// GDI and USER objects and the process's committed memory end where they
// began.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/app/main_window_fixture.h"
#include "tests/soak/gui_objects.h"

namespace vantor::testing {
namespace {

constexpr int kLoads = 10000;
constexpr int kWarmUpLoads = 200;
// Room for the heap's own bookkeeping; a leak of one small block per load
// (10,000 blocks) is well above it.
constexpr std::size_t kMemorySlack = 256 * 1024;

struct SoakPath {
  std::string path;
  bool exists = true;
};

// A file that the test itself holds open without sharing: every pass of a
// load fails to open it, although it exists.
class HeldFile {
 public:
  explicit HeldFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() {
    if (held()) CloseHandle(handle_);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  [[nodiscard]] bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// A replay whose base name makes the caption longer than the window's 255
// characters. Only at a drive's root does the whole path stay within the
// 259 characters that the system's ANSI file calls accept.
class LongNamedReplay {
 public:
  LongNamedReplay() {
    std::string name = "vantor-soak-" + std::to_string(GetCurrentProcessId()) + "-";
    name.resize(kBaseNameLength - 4, 'n');
    path_ = "C:\\" + name + ".rpl";
    writeFile(path_, sampleReplay().carName("Long Name").bytes());
  }
  ~LongNamedReplay() { DeleteFileA(path_.c_str()); }
  LongNamedReplay(const LongNamedReplay&) = delete;
  LongNamedReplay& operator=(const LongNamedReplay&) = delete;

  static constexpr std::size_t kBaseNameLength = 250;
  [[nodiscard]] const std::string& path() const { return path_; }
  [[nodiscard]] std::string baseName() const { return path_.substr(3); }

 private:
  std::string path_;
};

class WindowSoak : public MainWindowTest {
 protected:
  // What File > Load does with a chosen path: empty the list, then load.
  int loadChosen(const std::string& path) const {
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    return open(path);
  }

  int rowCount() const { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

  // One load of the cycle, checked as it goes: a path that exists always
  // leaves eight rows, one that does not leaves the emptied list.
  void loadAndCheck(const SoakPath& soakPath, int load) const {
    const int result = loadChosen(soakPath.path);
    ASSERT_EQ(result, soakPath.exists ? 0 : -1) << "load " << load << ": " << soakPath.path;
    ASSERT_EQ(rowCount(), soakPath.exists ? 8 : 0) << "load " << load << ": " << soakPath.path;
    if (load % 64 == 0) drainMessages();
  }
};

TEST_F(WindowSoak, TenThousandLoadsLeakNoObjectsAndNoMemory) {
  const std::string folder = files.pathOf("a folder.rpl");
  std::filesystem::create_directory(folder);
  const std::string held = write("held.rpl", sampleReplay().driverName("Locked"));
  const HeldFile holder(held);
  ASSERT_TRUE(holder.held()) << "error " << GetLastError();
  const LongNamedReplay longNamed;

  // Ends on a replay, so that the window is left showing one.
  const std::vector<SoakPath> cycle = {
      {write("sample.rpl", sampleReplay())},
      {files.pathOf("missing.rpl"), false},
      {write("monaco.rpl", sampleReplay().trackKey("monaco2").driverName("Wendelin").carName("Brisk 9"))},
      {folder},
      {files.write("short.rpl", sampleReplay().trackKey("alps").firstBytes(120))},
      {held},
      {files.write("empty.rpl", {})},
      {longNamed.path()},
  };
  ASSERT_EQ(kLoads % static_cast<int>(cycle.size()), 0);

  for (int load = 0; load < kWarmUpLoads; ++load) {
    ASSERT_NO_FATAL_FAILURE(loadAndCheck(cycle[static_cast<std::size_t>(load) % cycle.size()], load));
  }
  drainMessages();
  const ProcessObjects before = processObjects();

  const DWORD start = GetTickCount();
  for (int load = 0; load < kLoads; ++load) {
    ASSERT_NO_FATAL_FAILURE(loadAndCheck(cycle[static_cast<std::size_t>(load) % cycle.size()], load));
  }
  const DWORD elapsed = GetTickCount() - start;
  drainMessages();
  const ProcessObjects after = processObjects();

  std::printf("soak: %d loads in %lu ms; counted by %s\n", kLoads, static_cast<unsigned long>(elapsed),
              after.method.c_str());
  std::printf("soak: GDI objects %lu -> %lu, USER objects %lu -> %lu, committed memory %zu -> %zu bytes\n",
              before.gdiObjects, after.gdiObjects, before.userObjects, after.userObjects, before.pagefileBytes,
              after.pagefileBytes);
  EXPECT_GT(before.gdiObjects, 0u);
  EXPECT_GT(before.userObjects, 0u);
  EXPECT_LE(after.gdiObjects, before.gdiObjects);
  EXPECT_LE(after.userObjects, before.userObjects);
  EXPECT_LE(after.pagefileBytes, before.pagefileBytes + kMemorySlack);

  EXPECT_EQ(rowCount(), 8);
  EXPECT_EQ(windowText(dialog), ("Vantor : [" + longNamed.baseName()).substr(0, 255));
  EXPECT_EQ(itemText(dialog, IDC_CAR), "Long Name");
}

}  // namespace
}  // namespace vantor::testing
