// openReplay: the one way a replay reaches the main window's controls.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <utility>

#include "app/file_system_path.h"
#include "app/main_window.h"
#include "app/utf16.h"
#include "replay/reader.h"
#include "resources/resource.h"
#include "view/window_content.h"

namespace vantor::app {
namespace {

using view::WindowContent;

void setTexts(HWND dialog, const WindowContent& content) {
  const std::array<std::pair<int, const view::Held<std::string>*>, 17> fields{{
      {IDC_TRACK, &content.track},
      {IDC_DRIVER, &content.driver},
      {IDC_CAR, &content.car},
      {IDC_DIRECTION, &content.direction},
      {IDC_LAPS, &content.laps},
      {IDC_GEAR_1, &content.gears[0]},
      {IDC_GEAR_2, &content.gears[1]},
      {IDC_GEAR_3, &content.gears[2]},
      {IDC_GEAR_4, &content.gears[3]},
      {IDC_GEAR_5, &content.gears[4]},
      {IDC_GEAR_6, &content.gears[5]},
      {IDC_GEAR_REVERSE, &content.gears[6]},
      {IDC_GEAR_FINAL, &content.gears[7]},
      {IDC_DOWNFORCE_LEFT, &content.downforceLeft},
      {IDC_DOWNFORCE_RIGHT, &content.downforceRight},
      {IDC_TYRE_PRESSURE_LEFT, &content.tyrePressureLeft},
      {IDC_TYRE_PRESSURE_RIGHT, &content.tyrePressureRight},
  }};
  // A value the file does not hold leaves its field empty.
  for (const auto& [id, text] : fields) SetDlgItemTextW(dialog, id, windows1252AsWide(text->value_or("")).c_str());
}

// The trackbar pins a position outside its range to the nearer end. A
// setting the file does not hold has no slider to show a place on.
void setSliders(HWND dialog, const WindowContent& content) {
  for (std::size_t i = 0; i < kSliderIds.size(); ++i) {
    const view::Held<view::TuningValue>& value = content.tuning[i];
    if (value) SendDlgItemMessageW(dialog, kSliderIds[i], TBM_SETPOS, TRUE, value->position);
    ShowWindow(GetDlgItem(dialog, kSliderIds[i]), value ? SW_SHOWNA : SW_HIDE);
  }
}

// Any nonzero byte shows as checked: a file may hold more than 0 and 1.
// A flag the file does not hold shows neither: the box takes a third,
// indeterminate state, which only a three-state box can show.
void setCheck(HWND dialog, int id, const view::Held<int>& state) {
  HWND box = GetDlgItem(dialog, id);
  const auto type = static_cast<LONG>(state ? BS_AUTOCHECKBOX : BS_AUTO3STATE);
  const LONG style = (GetWindowLongW(box, GWL_STYLE) & ~static_cast<LONG>(BS_TYPEMASK)) | type;
  SendMessageW(box, BM_SETSTYLE, static_cast<WPARAM>(LOWORD(style)), TRUE);
  CheckDlgButton(dialog, id, !state ? BST_INDETERMINATE : (*state != 0 ? BST_CHECKED : BST_UNCHECKED));
}

void setChecks(HWND dialog, const WindowContent& content) {
  setCheck(dialog, IDC_AUTOMATIC_TRANSMISSION, content.automaticTransmission);
  setCheck(dialog, IDC_DAMAGE, content.damage);
}

void setSubItem(HWND list, int index, int subItem, const view::Held<std::string>& windows1252) {
  std::wstring text = windows1252AsWide(windows1252.value_or(""));
  LVITEMW item{};
  item.iSubItem = subItem;
  item.pszText = text.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// The rows of the replay shown before go only now that the new one is read.
// Each row is inserted with its place, then its other columns are set; the
// list lays itself out and redraws once, at the end, not after each of them.
void showRecordRows(HWND list, const WindowContent& content) {
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  int index = 0;
  for (const view::RecordRowTexts& row : content.records) {
    std::wstring place = windows1252AsWide(row.place);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = place.data();
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    setSubItem(list, index, 1, row.name);
    setSubItem(list, index, 2, row.car);
    setSubItem(list, index, 3, row.time);
    ++index;
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

WindowContent shownContent(const MainWindow& window) {
  return view::makeWindowContent(utf8From(window.shownPath.value()), window.shown);
}

int openReplay(MainWindow& window, const std::wstring& path) {
  replay::DecodedReplay replay;
  if (replay::load(fileSystemPath(path), replay) < 0) return -1;
  window.shown = replay;
  window.shownPath = path;
  const WindowContent content = shownContent(window);
  SetWindowTextW(window.dialog, wideFromUtf8(content.caption).c_str());
  setTexts(window.dialog, content);
  setSliders(window.dialog, content);
  setChecks(window.dialog, content);
  showRecordRows(window.list, content);
  return 0;
}

}  // namespace vantor::app
