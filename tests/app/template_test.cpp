// The main window as the template builds it: controls, styles, frame, menu.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/app/main_window_fixture.h"

namespace vantor::testing {
namespace {

struct ExpectedControl {
  int id;
  const char* className;
  RECT units;  // x, y, width, height in dialog units
};

// The addressed controls, in tab order, with the rectangle the layout gives.
constexpr std::array<ExpectedControl, 30> kControls{{
    {IDC_RIDE_HEIGHT, TRACKBAR_CLASSA, {19, 153, 111, 12}},
    {IDC_SHOCK_STIFFNESS, TRACKBAR_CLASSA, {19, 170, 111, 12}},
    {IDC_SHOCK_TRAVEL, TRACKBAR_CLASSA, {19, 190, 111, 12}},
    {IDC_TOE_IN, TRACKBAR_CLASSA, {19, 210, 111, 12}},
    {IDC_BRAKE_BALANCE, TRACKBAR_CLASSA, {19, 245, 111, 12}},
    {IDC_TRACK, "Static", {63, 24, 115, 10}},
    {IDC_DRIVER, "Static", {63, 39, 115, 10}},
    {IDC_CAR, "Static", {63, 56, 115, 10}},
    {IDC_TUNING_GROUP, "Button", {7, 131, 404, 164}},
    {IDC_TRACKINFO_GROUP, "Button", {7, 7, 404, 120}},
    {IDC_GEAR_1, "Static", {231, 158, 38, 10}},
    {IDC_GEAR_2, "Static", {231, 170, 38, 10}},
    {IDC_GEAR_3, "Static", {231, 183, 38, 10}},
    {IDC_GEAR_4, "Static", {231, 196, 38, 10}},
    {IDC_GEAR_5, "Static", {231, 210, 38, 10}},
    {IDC_GEAR_6, "Static", {231, 224, 38, 10}},
    {IDC_GEAR_REVERSE, "Static", {231, 239, 38, 10}},
    {IDC_GEAR_FINAL, "Static", {231, 254, 38, 10}},
    {IDC_RECORDS, WC_LISTVIEWA, {186, 32, 218, 83}},
    {IDC_DOWNFORCE_LEFT, "Static", {23, 263, 38, 10}},
    {IDC_DOWNFORCE_RIGHT, "Static", {89, 263, 38, 10}},
    {IDC_TYRE_PRESSURE_LEFT, "Static", {23, 273, 38, 10}},
    {IDC_TYRE_PRESSURE_RIGHT, "Static", {89, 273, 38, 10}},
    {IDC_AUTOMATIC_TRANSMISSION, "Button", {91, 101, 9, 10}},
    {IDC_DAMAGE, "Button", {91, 113, 9, 10}},
    {IDC_DIRECTION, "Static", {63, 71, 115, 10}},
    {IDC_LAPS, "Static", {63, 86, 115, 10}},
    {-1, "Static", {23, 101, 66, 8}},   // "Transmission/autom."
    {-1, "Static", {23, 113, 28, 8}},   // "Damage"
    {-1, "Static", {0, 0, 417, 1}},     // the etched line under the menu bar
}};

std::string classOf(HWND window) {
  std::array<char, 64> name{};
  GetClassNameA(window, name.data(), static_cast<int>(name.size()));
  return name.data();
}

std::vector<HWND> childrenInTabOrder(HWND dialog) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

RECT clientRectOf(HWND dialog, HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The dialog manager maps the origin and the size each on its own.
RECT pixelsOf(HWND dialog, RECT units) {
  MapDialogRect(dialog, &units);
  return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

std::string describe(RECT r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " - " + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

LONG_PTR styleOf(HWND dialog, int id) { return GetWindowLongPtrA(GetDlgItem(dialog, id), GWL_STYLE); }

using Template = MainWindowTest;

TEST_F(Template, ControlsComeInTabOrderWithTheirClassAndPlace) {
  const std::vector<HWND> children = childrenInTabOrder(dialog);
  EXPECT_EQ(children.size(), 54u);
  std::vector<HWND> addressed;
  for (HWND child : children) {
    const int id = GetDlgCtrlID(child);
    if (id != -1 && id != 0xFFFF) addressed.push_back(child);
  }
  // the last three labels close the tab order
  addressed.insert(addressed.end(), children.end() - 3, children.end());
  ASSERT_EQ(addressed.size(), kControls.size());
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    const ExpectedControl& expected = kControls[i];
    HWND child = addressed[i];
    const int id = GetDlgCtrlID(child);
    EXPECT_EQ(id == 0xFFFF ? -1 : id, expected.id) << "control " << i;
    EXPECT_STREQ(classOf(child).c_str(), expected.className) << "control " << expected.id;
    if (i + 1 == kControls.size()) {
      // an etched line sizes itself to its edge
      EXPECT_EQ(GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK, SS_ETCHEDHORZ);
      continue;
    }
    EXPECT_EQ(describe(clientRectOf(dialog, child)), describe(pixelsOf(dialog, expected.units)))
        << "control " << expected.id;
  }
}

TEST_F(Template, NothingCanBeEditedButTheListWorks) {
  for (const int id : {IDC_RIDE_HEIGHT, IDC_SHOCK_STIFFNESS, IDC_SHOCK_TRAVEL, IDC_TOE_IN, IDC_BRAKE_BALANCE}) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << "slider " << id;
    EXPECT_EQ(styleOf(dialog, id) & (TBS_AUTOTICKS | TBS_TOP), TBS_AUTOTICKS | TBS_TOP) << "slider " << id;
  }
  for (const int id : {IDC_AUTOMATIC_TRANSMISSION, IDC_DAMAGE}) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << "check box " << id;
    EXPECT_EQ(styleOf(dialog, id) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_TRUE(styleOf(dialog, id) & BS_LEFTTEXT);
  }
  // The Direction field shares its number with the Load command: it must
  // never send a command of its own.
  for (const int id : {IDC_TRACK, IDC_DIRECTION, IDC_LAPS, IDC_GEAR_1, IDC_DOWNFORCE_LEFT}) {
    EXPECT_TRUE(styleOf(dialog, id) & SS_SUNKEN) << "field " << id;
    EXPECT_FALSE(styleOf(dialog, id) & SS_NOTIFY) << "field " << id;
  }
  EXPECT_EQ(styleOf(dialog, IDC_TRACK) & SS_TYPEMASK, SS_LEFT);
  EXPECT_EQ(styleOf(dialog, IDC_GEAR_1) & SS_TYPEMASK, SS_CENTER);
  EXPECT_TRUE(IsWindowEnabled(list));
  const LONG_PTR listStyle = styleOf(dialog, IDC_RECORDS);
  EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(listStyle & LVS_SINGLESEL);
  EXPECT_TRUE(listStyle & LVS_NOLABELWRAP);
  // the themed list view turns its border into a client edge
  EXPECT_TRUE((listStyle & WS_BORDER) || (GetWindowLongPtrA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
}

TEST_F(Template, FixedSizeFrameWithMenuAndNoIcon) {
  const LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_VISIBLE);
  EXPECT_TRUE(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  EXPECT_EQ(GetParent(dialog), nullptr);
  EXPECT_EQ(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_EQ(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0), 0);

  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(describe(client), describe(pixelsOf(dialog, {0, 0, 418, 302})));

  HMENU menu = GetMenu(dialog);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  std::array<char, 64> text{};
  GetMenuStringA(menu, 0, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
  EXPECT_STREQ(text.data(), "&File");
  GetMenuStringA(menu, 1, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
  EXPECT_STREQ(text.data(), "Help");
  HMENU file = GetSubMenu(menu, 0);
  ASSERT_EQ(GetMenuItemCount(file), 3);
  EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(IDM_FILE_LOAD));
  EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuItemID(file, 2), static_cast<UINT>(IDM_FILE_EXIT));
  GetMenuStringA(file, 0, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
  EXPECT_STREQ(text.data(), "Load file ...");
  GetMenuStringA(file, 2, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
  EXPECT_STREQ(text.data(), "Exit");
  HMENU help = GetSubMenu(menu, 1);
  ASSERT_EQ(GetMenuItemCount(help), 1);
  EXPECT_EQ(GetMenuItemID(help, 0), static_cast<UINT>(IDM_HELP_ABOUT));
  GetMenuStringA(help, 0, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
  EXPECT_STREQ(text.data(), "About ...");
}

}  // namespace
}  // namespace vantor::testing
