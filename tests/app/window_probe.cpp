#include "tests/app/window_probe.h"

#include <commctrl.h>

#include <array>

#include "resources/resource.h"

namespace vantor::testing {
namespace {

constexpr UINT kTickMs = 50;
constexpr DWORD kGraceMs = 2000;
constexpr int kTextLength = 512;

struct Modal {
  const std::string& caption;
  const std::function<void(HWND)>& action;
  DWORD ranAt = 0;
  bool forcedClose = false;
};
Modal* modal = nullptr;

void CALLBACK onTimer(HWND /*window*/, UINT /*message*/, UINT_PTR /*id*/, DWORD now) {
  HWND found = FindWindowA(nullptr, modal->caption.c_str());
  if (found == nullptr || !IsWindowVisible(found)) return;
  if (modal->ranAt == 0) {
    modal->ranAt = now | 1;
    modal->action(found);
  } else if (now - modal->ranAt > kGraceMs && !modal->forcedClose) {
    modal->forcedClose = true;
    PostMessageA(found, WM_COMMAND, IDCANCEL, 0);
  }
}

}  // namespace

std::string windowText(HWND window) {
  std::array<char, kTextLength> text{};
  GetWindowTextA(window, text.data(), kTextLength);
  return text.data();
}

std::vector<std::vector<std::string>> listRows(HWND list) {
  std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (int column = 0; column < 4; ++column) {
      std::array<char, kTextLength> text{};
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = text.data();
      item.cchTextMax = kTextLength;
      SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
      rows[row].emplace_back(text.data());
    }
  }
  return rows;
}

int drainMessages() {
  int quitCode = -1;
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) quitCode = static_cast<int>(message.wParam);
    else DispatchMessageA(&message);
  }
  return quitCode;
}

bool duringModal(const std::string& caption, const std::function<void(HWND)>& action,
                 const std::function<void()>& run) {
  Modal state{caption, action};
  modal = &state;
  const UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, onTimer);
  run();
  KillTimer(nullptr, timer);
  modal = nullptr;
  return state.ranAt != 0 && !state.forcedClose;
}

void MainWindowTest::SetUp() {
  drainMessages();
  dialog = app::createMainWindow(GetModuleHandleA(nullptr));
  ASSERT_NE(dialog, nullptr) << "error " << GetLastError();
  window = app::mainWindowOf(dialog);
  ASSERT_NE(window, nullptr);
  list = window->list;
}

void MainWindowTest::TearDown() {
  if (IsWindow(dialog)) DestroyWindow(dialog);
  drainMessages();
}

std::vector<std::string> MainWindowTest::shownTexts() const {
  std::vector<std::string> texts{windowText(dialog)};
  for (const int id : {IDC_TRACK, IDC_DRIVER, IDC_CAR, IDC_DIRECTION, IDC_LAPS, IDC_GEAR_1, IDC_GEAR_2, IDC_GEAR_3,
                       IDC_GEAR_4, IDC_GEAR_5, IDC_GEAR_6, IDC_GEAR_REVERSE, IDC_GEAR_FINAL, IDC_DOWNFORCE_LEFT,
                       IDC_DOWNFORCE_RIGHT, IDC_TYRE_PRESSURE_LEFT, IDC_TYRE_PRESSURE_RIGHT})
    texts.push_back(itemText(dialog, id));
  return texts;
}

}  // namespace vantor::testing
