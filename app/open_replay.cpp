// openReplay: the one way a replay reaches the main window's controls.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <utility>

#include "app/main_window.h"
#include "replay/reader.h"
#include "resources/resource.h"
#include "view/window_content.h"

namespace vantor::app {
namespace {

using view::WindowContent;

void setTexts(HWND dialog, const WindowContent& content) {
  const std::array<std::pair<int, const std::string*>, 17> fields{{
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
  for (const auto& [id, text] : fields) SetDlgItemTextA(dialog, id, text->c_str());
}

// The trackbar pins a position outside its range to the nearer end.
void setSliders(HWND dialog, const WindowContent& content) {
  for (std::size_t i = 0; i < kSliderIds.size(); ++i) {
    SendDlgItemMessageA(dialog, kSliderIds[i], TBM_SETPOS, TRUE, content.tuning[i].position);
  }
}

// Any nonzero byte shows as checked: a file may hold more than 0 and 1.
void setChecks(HWND dialog, const WindowContent& content) {
  CheckDlgButton(dialog, IDC_AUTOMATIC_TRANSMISSION, content.automaticTransmission != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_DAMAGE, content.damage != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void setSubItem(HWND list, int index, int subItem, std::string& text) {
  LVITEMA item{};
  item.iSubItem = subItem;
  item.pszText = text.data();
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

// Each row is inserted with its place, then its other columns are set.
void addRecordRows(HWND list, const WindowContent& content) {
  int index = 0;
  for (view::RecordRowTexts row : content.records) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = row.place.data();
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    setSubItem(list, index, 1, row.name);
    setSubItem(list, index, 2, row.car);
    setSubItem(list, index, 3, row.time);
    ++index;
  }
}

}  // namespace

int openReplay(MainWindow& window, const std::string& path) {
  if (replay::load(path, window.info) != 0) return -1;
  const WindowContent content = view::makeWindowContent(path, window.info);
  SetWindowTextA(window.dialog, content.caption.c_str());
  setTexts(window.dialog, content);
  setSliders(window.dialog, content);
  setChecks(window.dialog, content);
  addRecordRows(window.list, content);
  window.shownPath = path;
  return 0;
}

}  // namespace vantor::app
