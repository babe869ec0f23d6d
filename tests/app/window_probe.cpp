#include "tests/app/window_probe.h"

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <utility>

namespace vantor::testing {
namespace {

constexpr UINT kTickMs = 50;
constexpr DWORD kGraceMs = 2000;
constexpr int kTextLength = 512;

struct Search {
  const std::string* caption;
  HWND found;
};

BOOL CALLBACK matchCaption(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (IsWindowVisible(window) && windowText(window) == *search->caption) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND findThreadWindow(const std::string& caption) {
  Search search{&caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), matchCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::string windowText(HWND window) {
  std::array<char, kTextLength> text{};
  GetWindowTextA(window, text.data(), kTextLength);
  return text.data();
}

std::string itemText(HWND dialog, int id) {
  std::array<char, kTextLength> text{};
  GetDlgItemTextA(dialog, id, text.data(), kTextLength);
  return text.data();
}

int sliderPosition(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0));
}
int sliderMin(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMIN, 0, 0));
}
int sliderMax(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETRANGEMAX, 0, 0));
}
bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

std::vector<ListColumn> listColumns(HWND list) {
  std::vector<ListColumn> columns;
  for (int i = 0;; ++i) {
    std::array<char, kTextLength> title{};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title.data();
    column.cchTextMax = kTextLength;
    if (!SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column))) break;
    columns.push_back({title.data(), column.cx});
  }
  return columns;
}

std::vector<std::vector<std::string>> listRows(HWND list) {
  const auto count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<std::vector<std::string>> rows;
  for (int row = 0; row < count; ++row) {
    std::vector<std::string> texts;
    for (int subItem = 0; subItem < 4; ++subItem) {
      std::array<char, kTextLength> text{};
      LVITEMA item{};
      item.iSubItem = subItem;
      item.pszText = text.data();
      item.cchTextMax = kTextLength;
      SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
      texts.emplace_back(text.data());
    }
    rows.push_back(std::move(texts));
  }
  return rows;
}

int drainMessages() {
  int quitCode = -1;
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quitCode = static_cast<int>(message.wParam);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return quitCode;
}

ModalDriver::ModalDriver(std::string caption, std::function<void(HWND)> action)
    : caption_(std::move(caption)),
      action_(std::move(action)),
      timerWindow_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {
  SetWindowLongPtrA(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetTimer(timerWindow_, 1, kTickMs, onTimer);
}

ModalDriver::~ModalDriver() {
  KillTimer(timerWindow_, 1);
  DestroyWindow(timerWindow_);
}

void CALLBACK ModalDriver::onTimer(HWND timerWindow, UINT /*message*/, UINT_PTR /*id*/, DWORD now) {
  reinterpret_cast<ModalDriver*>(GetWindowLongPtrA(timerWindow, GWLP_USERDATA))->tick(now);
}

void ModalDriver::tick(DWORD now) {
  HWND dialog = findThreadWindow(caption_);
  if (dialog == nullptr) return;
  if (ranAt_ == 0) {
    ranAt_ = now == 0 ? 1 : now;
    action_(dialog);
  } else if (now - ranAt_ > kGraceMs && !forcedClose_) {
    forcedClose_ = true;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  }
}

}  // namespace vantor::testing
