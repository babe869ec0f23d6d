// What the window shows after a load of each bad input, read back from the
// real controls: at start-up (a fresh window) and after a good replay.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/app/main_window_fixture.h"

namespace vantor::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr std::array kGearFields{IDC_GEAR_1, IDC_GEAR_2, IDC_GEAR_3,       IDC_GEAR_4,
                                 IDC_GEAR_5, IDC_GEAR_6, IDC_GEAR_REVERSE, IDC_GEAR_FINAL};
constexpr std::array kFields{IDC_TRACK, IDC_DRIVER, IDC_CAR, IDC_DIRECTION, IDC_LAPS, IDC_DOWNFORCE_LEFT,
                             IDC_TYRE_PRESSURE_RIGHT};

Rows emptyRows(const std::string& time) {
  Rows rows;
  for (int place = 1; place <= 8; ++place) rows.push_back({std::to_string(place), "", "", time});
  return rows;
}

class FileHold {
 public:
  explicit FileHold(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~FileHold() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  FileHold(const FileHold&) = delete;
  FileHold& operator=(const FileHold&) = delete;
  [[nodiscard]] bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

class BadInput : public MainWindowTest {
 protected:
  std::vector<std::string> fields() const {
    std::vector<std::string> texts;
    for (const int id : kFields) texts.push_back(itemText(dialog, id));
    for (const int id : kGearFields) texts.push_back(itemText(dialog, id));
    return texts;
  }

  void expectGears(const std::string& text) const {
    for (const int id : kGearFields) EXPECT_EQ(itemText(dialog, id), text) << "gear field " << id;
  }

  // A new window in place of the current one, as at another start-up.
  void freshWindow() {
    TearDown();
    SetUp();
  }
};

TEST_F(BadInput, EmptyAndOneByteFilesShowTheZeroFilledValuesOnly) {
  for (const std::vector<unsigned char>& bytes : {std::vector<unsigned char>{}, std::vector<unsigned char>{0x7F}}) {
    SCOPED_TRACE(bytes.size());
    freshWindow();
    ASSERT_EQ(open(files.write("tiny.rpl", bytes)), 0);
    EXPECT_EQ(windowText(dialog), "Vantor : [tiny.rpl]");
    EXPECT_EQ(itemText(dialog, IDC_TRACK), "");
    EXPECT_EQ(itemText(dialog, IDC_DRIVER), "");
    EXPECT_EQ(itemText(dialog, IDC_LAPS), "0");
    EXPECT_EQ(itemText(dialog, IDC_DIRECTION), "Forward");
    expectGears("0.00");
    EXPECT_EQ(listRows(list), emptyRows("00:00:00"));
  }
}

TEST_F(BadInput, HundredTwentyBytesShowTheHeadOnly) {
  ASSERT_EQ(open(files.write("head.rpl", sampleReplay().firstBytes(120))), 0);
  EXPECT_EQ(itemText(dialog, IDC_TRACK), "C\xF4te d'Azur");
  EXPECT_EQ(itemText(dialog, IDC_LAPS), "5");
  EXPECT_EQ(itemText(dialog, IDC_DIRECTION), "Backward");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "");
  expectGears("0.00");
  EXPECT_EQ(listRows(list), emptyRows("00:00:00"));
}

TEST_F(BadInput, FileEndingOneByteShortOfTheCarNameShowsEverythingElse) {
  const std::string whole = write("whole.rpl", sampleReplay());
  ASSERT_EQ(open(whole), 0);
  const std::vector<std::string> expected = fields();
  const Rows rows = listRows(list);
  freshWindow();
  ASSERT_EQ(open(files.write("cut.rpl", sampleReplay().firstBytes(4582))), 0);
  EXPECT_EQ(fields(), expected);
  EXPECT_EQ(listRows(list), rows);
  EXPECT_EQ(itemText(dialog, IDC_CAR), "Comet Vantage");
}

TEST_F(BadInput, AMebibyteOfRandomBytesStillGivesEightNumberedRows) {
  std::mt19937 random(20240229);
  std::vector<unsigned char> bytes(1 << 20);
  for (auto& byte : bytes) byte = static_cast<unsigned char>(random());
  ASSERT_EQ(open(files.write("noise.rpl", bytes)), 0);
  EXPECT_EQ(windowText(dialog), "Vantor : [noise.rpl]");
  const Rows rows = listRows(list);
  ASSERT_EQ(rows.size(), 8u);
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i][0], std::to_string(i + 1));
}

TEST_F(BadInput, UnreadablePathsChangeTheCaptionAndRepeatTheRows) {
  const std::string folder = files.pathOf("a folder");
  std::filesystem::create_directory(folder);
  const std::string heldPath = write("held.rpl", sampleReplay().driverName("Locked"));
  const FileHold hold(heldPath);
  ASSERT_TRUE(hold.held());

  for (const auto& [path, name] : {std::pair{folder, std::string("a folder")}, std::pair{heldPath, std::string("held.rpl")}}) {
    SCOPED_TRACE(name);
    // At start-up: nothing was shown, so the fields stay empty.
    freshWindow();
    ASSERT_EQ(open(path), 0);
    EXPECT_EQ(windowText(dialog), "Vantor : [" + name + "]");
    EXPECT_EQ(itemText(dialog, IDC_DRIVER), "");
    expectGears("");
    EXPECT_EQ(listRows(list), emptyRows(""));

    // After the sample, as File > Load: its values stay, and its rows come back.
    freshWindow();
    ASSERT_EQ(open(write("shown.rpl", sampleReplay())), 0);
    const std::vector<std::string> before = fields();
    const Rows rows = listRows(list);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    ASSERT_EQ(open(path), 0);
    EXPECT_EQ(windowText(dialog), "Vantor : [" + name + "]");
    EXPECT_EQ(fields(), before);
    EXPECT_EQ(listRows(list), rows);
  }
}

TEST_F(BadInput, MissingPathLeavesTheWindowAsItWas) {
  EXPECT_EQ(open(files.pathOf("missing.rpl")), -1);
  EXPECT_EQ(windowText(dialog), "Vantor");
  EXPECT_EQ(listRows(list), Rows{});
}

// The name in the ANSI code page that the process runs with, whichever it is.
std::string ansiName(const wchar_t* name) {
  BOOL lost = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, 0, name, -1, nullptr, 0, nullptr, &lost);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, name, -1, bytes.data(), size, nullptr, &lost);
  bytes.pop_back();
  EXPECT_FALSE(lost) << "code page " << GetACP() << " lacks a letter of the name";
  return bytes;
}

// Read back as UTF-16: Wine's ANSI window-text calls may use another code
// page than the process's own, and the user sees the characters anyway.
std::wstring wideWindowText(HWND window) {
  std::array<wchar_t, 512> text{};
  GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  return text.data();
}

TEST_F(BadInput, NonAsciiNameOfTheCodePageReachesTheFileAndTheCaption) {
  const wchar_t* wide = L"Gen\u00E8ve \u00E0 l'aube \u00C9t\u00E9.rpl";
  const std::string name = ansiName(wide);
  ASSERT_TRUE(std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
  const std::string path = files.pathOf(name);
  sampleReplay().writeTo(path);
  ASSERT_EQ(open(path), 0);
  EXPECT_EQ(wideWindowText(dialog), L"Vantor : [" + std::wstring(wide) + L"]");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Ilse K.");
}

TEST_F(BadInput, SparseFilePastTwoGibibytesIsReadLikeAnyOther) {
  const std::string path = write("huge.rpl", sampleReplay());
  {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size{};
    size.QuadPart = 3LL << 30;
    const bool grown = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    ASSERT_TRUE(grown) << "error " << GetLastError();
  }
  ASSERT_EQ(open(path), 0);
  EXPECT_EQ(windowText(dialog), "Vantor : [huge.rpl]");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Ilse K.");
  EXPECT_EQ(itemText(dialog, IDC_CAR), "Comet Vantage");
  EXPECT_EQ(listRows(list).at(7).at(1), "Hana Ito");
}

}  // namespace
}  // namespace vantor::testing
