#include "app/main_window.h"

#include <commctrl.h>

#include <array>
#include <memory>
#include <optional>

#include "app/about_box.h"
#include "resources/resource.h"
#include "view/window_content.h"

namespace vantor::app {
namespace {

constexpr int kTickFrequency = 2;

constexpr std::array kColumnTitles{IDS_COLUMN_PLACE, IDS_COLUMN_NAME, IDS_COLUMN_CAR, IDS_COLUMN_TIME};
constexpr int kColumnTitleLength = 30;
// Keeps the four columns inside the list's client area, beside its border.
constexpr int kLastColumnNarrowing = 4;

// Carries the new state into WM_INITDIALOG. Whatever the window has not
// taken by the time creation returns is freed with this.
struct StateHandOver {
  std::unique_ptr<MainWindow> state;
};

void addListColumns(const MainWindow& window) {
  RECT rect{};
  GetWindowRect(window.list, &rect);
  const int count = static_cast<int>(kColumnTitles.size());
  const int width = (rect.right - rect.left) / count;
  for (int i = 0; i < count; ++i) {
    std::array<char, kColumnTitleLength> title{};
    LoadStringA(window.instance, static_cast<UINT>(kColumnTitles[static_cast<std::size_t>(i)]), title.data(),
                kColumnTitleLength);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = i == count - 1 ? width - kLastColumnNarrowing : width;
    column.pszText = title.data();
    column.iSubItem = i;
    SendMessageA(window.list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
}

void setSliderRanges(HWND dialog) {
  for (const int id : kSliderIds) {
    SendDlgItemMessageA(dialog, id, TBM_SETRANGE, TRUE, MAKELPARAM(0, view::SLIDER_MAX));
    SendDlgItemMessageA(dialog, id, TBM_SETTICFREQ, kTickFrequency, 0);
  }
}

INT_PTR onInitDialog(HWND dialog, LPARAM param) {
  MainWindow* window = reinterpret_cast<StateHandOver*>(param)->state.release();
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(window));
  window->dialog = dialog;
  window->list = GetDlgItem(dialog, IDC_RECORDS);
  addListColumns(*window);
  setSliderRanges(dialog);
  return TRUE;  // the dialog manager sets the default focus
}

void loadChosenReplay(MainWindow& window) {
  const std::optional<std::string> path = chooseReplayFile(window.dialog, window.instance, window.openBuffers);
  if (!path) return;
  SendMessageA(window.list, LVM_DELETEALLITEMS, 0, 0);
  openReplay(window, *path);
}

void onCommand(MainWindow& window, WORD command) {
  switch (command) {
    case IDM_HELP_ABOUT:
      showAbout(window.dialog, window.instance);
      return;
    case IDM_FILE_EXIT:
      DestroyWindow(window.dialog);
      return;
    case IDM_FILE_LOAD:
      loadChosenReplay(window);
      return;
    default:
      return;
  }
}

}  // namespace

void initCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES;
  InitCommonControlsEx(&controls);
}

HWND createMainWindow(HINSTANCE instance) {
  StateHandOver handOver{std::make_unique<MainWindow>()};
  handOver.state->instance = instance;
  return CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), GetDesktopWindow(), mainWindowProc,
                            reinterpret_cast<LPARAM>(&handOver));
}

MainWindow* mainWindowOf(HWND dialog) {
  if (GetWindowLongPtrA(dialog, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&mainWindowProc)) return nullptr;
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR CALLBACK mainWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(dialog, lParam);
    case WM_COMMAND: {
      const WORD command = LOWORD(wParam);
      if (MainWindow* window = mainWindowOf(dialog)) onCommand(*window, command);
      return command == IDM_FILE_EXIT ? TRUE : FALSE;
    }
    case WM_CLOSE:
      DestroyWindow(dialog);
      return FALSE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return FALSE;
    case WM_NCDESTROY:
      delete mainWindowOf(dialog);
      SetWindowLongPtrA(dialog, DWLP_USER, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace vantor::app
