#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/app/main_window_fixture.h"

namespace vantor::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr std::array kTextFields{IDC_TRACK,  IDC_DRIVER, IDC_CAR,    IDC_DIRECTION,  IDC_LAPS,
                                 IDC_GEAR_1, IDC_GEAR_2, IDC_GEAR_3, IDC_GEAR_4,     IDC_GEAR_5,
                                 IDC_GEAR_6, IDC_GEAR_REVERSE,       IDC_GEAR_FINAL, IDC_DOWNFORCE_LEFT,
                                 IDC_DOWNFORCE_RIGHT, IDC_TYRE_PRESSURE_LEFT, IDC_TYRE_PRESSURE_RIGHT};
constexpr std::array kSliders{IDC_RIDE_HEIGHT, IDC_SHOCK_STIFFNESS, IDC_SHOCK_TRAVEL, IDC_TOE_IN,
                              IDC_BRAKE_BALANCE};

// Everything the controls show, for before/after comparisons.
struct Shown {
  std::string caption;
  std::vector<std::string> texts;
  std::vector<int> sliders;
  bool automatic = false;
  bool damage = false;
  Rows rows;
  friend bool operator==(const Shown&, const Shown&) = default;
};

Shown shown(HWND dialog, HWND list) {
  Shown s;
  s.caption = windowText(dialog);
  for (const int id : kTextFields) s.texts.push_back(itemText(dialog, id));
  for (const int id : kSliders) s.sliders.push_back(sliderPosition(dialog, id));
  s.automatic = isChecked(dialog, IDC_AUTOMATIC_TRANSMISSION);
  s.damage = isChecked(dialog, IDC_DAMAGE);
  s.rows = listRows(list);
  return s;
}

Rows rowsOf(const view::WindowContent& content) {
  Rows rows;
  for (const auto& row : content.records) rows.push_back({row.place, row.name, row.car, row.time});
  return rows;
}

using MainWindow = MainWindowTest;

TEST_F(MainWindow, BeforeAnyLoadShowsNothing) {
  EXPECT_EQ(windowText(dialog), "Vantor");
  for (const int id : kTextFields) EXPECT_EQ(itemText(dialog, id), "") << "control " << id;
  for (const int id : kSliders) {
    EXPECT_EQ(sliderMin(dialog, id), 0) << "slider " << id;
    EXPECT_EQ(sliderMax(dialog, id), view::SLIDER_MAX) << "slider " << id;
    EXPECT_EQ(sliderPosition(dialog, id), 0) << "slider " << id;
  }
  EXPECT_FALSE(isChecked(dialog, IDC_AUTOMATIC_TRANSMISSION));
  EXPECT_FALSE(isChecked(dialog, IDC_DAMAGE));
  EXPECT_TRUE(listRows(list).empty());
}

TEST_F(MainWindow, ListHasFourTitledColumnsTheLastFourPixelsNarrower) {
  RECT rect{};
  GetWindowRect(list, &rect);
  const int quarter = (rect.right - rect.left) / 4;
  const std::vector<ListColumn> columns = listColumns(list);
  ASSERT_EQ(columns.size(), 4u);
  const std::array titles{"Place", "Name", "Car", "Time"};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(columns[i].title, titles[i]);
    EXPECT_EQ(columns[i].width, i == 3 ? quarter - 4 : quarter) << "column " << i;
  }
}

TEST_F(MainWindow, ShowsALoadedReplay) {
  const std::string path = write("race.rpl", sampleReplay());
  ASSERT_EQ(open(path), 0);

  EXPECT_EQ(windowText(dialog), "Vantor : [race.rpl]");
  EXPECT_EQ(itemText(dialog, IDC_DRIVER), "Ilse K.");
  EXPECT_EQ(itemText(dialog, IDC_CAR), "Comet Vantage");
  EXPECT_EQ(itemText(dialog, IDC_DOWNFORCE_LEFT), "7");
  EXPECT_EQ(itemText(dialog, IDC_DOWNFORCE_RIGHT), "5");
  EXPECT_EQ(itemText(dialog, IDC_TYRE_PRESSURE_LEFT), "32");
  EXPECT_EQ(itemText(dialog, IDC_TYRE_PRESSURE_RIGHT), "30");
  // ride height -4, stiffness 1.0, travel 10, toe-in 1, brake balance 55
  EXPECT_EQ(sliderPosition(dialog, IDC_RIDE_HEIGHT), 16);
  EXPECT_EQ(sliderPosition(dialog, IDC_SHOCK_STIFFNESS), 15);
  EXPECT_EQ(sliderPosition(dialog, IDC_SHOCK_TRAVEL), 26);
  EXPECT_EQ(sliderPosition(dialog, IDC_TOE_IN), 24);
  EXPECT_EQ(sliderPosition(dialog, IDC_BRAKE_BALANCE), 25);
  EXPECT_FALSE(isChecked(dialog, IDC_AUTOMATIC_TRANSMISSION));
  EXPECT_TRUE(isChecked(dialog, IDC_DAMAGE));

  const view::WindowContent expected = expectedContent(path);
  const std::array<const std::string*, 17> texts{
      &expected.track,    &expected.driver,   &expected.car,      &expected.direction, &expected.laps,
      &expected.gears[0], &expected.gears[1], &expected.gears[2], &expected.gears[3],  &expected.gears[4],
      &expected.gears[5], &expected.gears[6], &expected.gears[7], &expected.downforceLeft,
      &expected.downforceRight, &expected.tyrePressureLeft, &expected.tyrePressureRight};
  for (std::size_t i = 0; i < kTextFields.size(); ++i) {
    EXPECT_EQ(itemText(dialog, kTextFields[i]), *texts[i]) << "control " << kTextFields[i];
  }
  EXPECT_FALSE(expected.track.empty());
  EXPECT_FALSE(expected.gears[0].empty());

  const Rows rows = listRows(list);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows, rowsOf(expected));
  EXPECT_EQ(rows[0][0], "1");
  EXPECT_EQ(rows[0][1], "Ada Roux");
  EXPECT_EQ(rows[7][0], "8");
  EXPECT_EQ(rows[7][2], "Comet Vantage");
}

TEST_F(MainWindow, RowsWithoutNamesStillShowPlaceAndTime) {
  ReplayBuilder replay = sampleReplay();
  replay.recordName(3, "").recordCar(3, "");
  const std::string path = write("empty-row.rpl", replay);
  ASSERT_EQ(open(path), 0);
  const Rows rows = listRows(list);
  ASSERT_EQ(rows.size(), 8u);
  EXPECT_EQ(rows[3][0], "4");
  EXPECT_EQ(rows[3][1], "");
  EXPECT_EQ(rows[3][2], "");
  EXPECT_EQ(rows[3][3], expectedContent(path).records[3].time);
  EXPECT_FALSE(rows[3][3].empty());
}

TEST_F(MainWindow, SliderValuesOutsideTheRangeShowAtTheNearerEnd) {
  ReplayBuilder low = sampleReplay();
  low.rideHeight(-21).brakeBalance(29).shockTravel(-31);
  ASSERT_EQ(open(write("low.rpl", low)), 0);
  EXPECT_EQ(sliderPosition(dialog, IDC_RIDE_HEIGHT), 0);
  EXPECT_EQ(sliderPosition(dialog, IDC_BRAKE_BALANCE), 0);
  EXPECT_EQ(sliderPosition(dialog, IDC_SHOCK_TRAVEL), 0);

  ReplayBuilder high = sampleReplay();
  high.rideHeight(300).toeIn(6).shockStiffness(0x7FFFFFFF);
  ASSERT_EQ(open(write("high.rpl", high)), 0);
  EXPECT_EQ(sliderPosition(dialog, IDC_RIDE_HEIGHT), 40);
  EXPECT_EQ(sliderPosition(dialog, IDC_TOE_IN), 40);
  EXPECT_EQ(sliderPosition(dialog, IDC_SHOCK_STIFFNESS), 40);
}

TEST_F(MainWindow, AnyNonzeroFlagByteShowsChecked) {
  ReplayBuilder odd = sampleReplay();
  odd.automaticTransmission(2).damage(0xFF);
  ASSERT_EQ(open(write("odd.rpl", odd)), 0);
  EXPECT_TRUE(isChecked(dialog, IDC_AUTOMATIC_TRANSMISSION));
  EXPECT_TRUE(isChecked(dialog, IDC_DAMAGE));

  ReplayBuilder clear = sampleReplay();
  clear.automaticTransmission(0).damage(0);
  ASSERT_EQ(open(write("clear.rpl", clear)), 0);
  EXPECT_FALSE(isChecked(dialog, IDC_AUTOMATIC_TRANSMISSION));
  EXPECT_FALSE(isChecked(dialog, IDC_DAMAGE));
}

TEST_F(MainWindow, MissingPathChangesNothing) {
  ASSERT_EQ(open(write("race.rpl", sampleReplay())), 0);
  const Shown before = shown(dialog, list);
  EXPECT_EQ(open(files.pathOf("missing.rpl")), -1);
  EXPECT_EQ(shown(dialog, list), before);
}

TEST_F(MainWindow, MissingPathBeforeAnyLoadLeavesTheWindowEmpty) {
  const Shown before = shown(dialog, list);
  EXPECT_EQ(open(files.pathOf("missing.rpl")), -1);
  EXPECT_EQ(open(""), -1);
  EXPECT_EQ(shown(dialog, list), before);
  EXPECT_EQ(before.caption, "Vantor");
}

TEST_F(MainWindow, DirectoryChangesTheCaptionAndKeepsTheFields) {
  ASSERT_EQ(open(write("race.rpl", sampleReplay())), 0);
  const Shown before = shown(dialog, list);
  const std::string folder = files.pathOf("old replays");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));

  EXPECT_EQ(open(folder), 0);
  const Shown after = shown(dialog, list);
  EXPECT_EQ(after.caption, "Vantor : [old replays]");
  EXPECT_EQ(after.texts, before.texts);
  EXPECT_EQ(after.sliders, before.sliders);
  EXPECT_EQ(after.automatic, before.automatic);
  EXPECT_EQ(after.damage, before.damage);
  // No Open dialog emptied the list: the load adds the same eight rows again.
  ASSERT_EQ(after.rows.size(), 16u);
  EXPECT_EQ(Rows(after.rows.begin() + 8, after.rows.end()), before.rows);
}

TEST_F(MainWindow, ExitCommandDestroysTheWindowAndQuitsWithZero) {
  EXPECT_EQ(app::mainWindowProc(dialog, WM_COMMAND, IDM_FILE_EXIT, 0), TRUE);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(drainMessages(), 0);
}

TEST_F(MainWindow, UnknownCommandsAreIgnored) {
  ASSERT_EQ(open(write("race.rpl", sampleReplay())), 0);
  const Shown before = shown(dialog, list);
  for (const WPARAM command : {WPARAM{0}, WPARAM{1}, WPARAM{2}, WPARAM{IDC_RECORDS}, WPARAM{9999},
                               MAKEWPARAM(IDC_TRACK, STN_CLICKED)}) {
    EXPECT_EQ(app::mainWindowProc(dialog, WM_COMMAND, command, 0), FALSE) << "command " << command;
  }
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(drainMessages(), -1);
  EXPECT_EQ(shown(dialog, list), before);
}

TEST_F(MainWindow, CloseRequestQuitsWithZero) {
  SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(drainMessages(), 0);
}

TEST_F(MainWindow, OtherMessagesItActsOnReturnFalse) {
  EXPECT_EQ(app::mainWindowProc(dialog, WM_CLOSE, 0, 0), FALSE);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(drainMessages(), 0);
}

}  // namespace
}  // namespace vantor::testing
