#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <array>
#include <memory>
#include <new>
#include <optional>

#include "app/about_box.h"
#include "app/clipboard.h"
#include "app/late_bound.h"
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

// The list lays itself out again after each column unless told to wait:
// under Wine, six moves of its header each.
void addListColumns(const MainWindow& window) {
  SendMessageW(window.list, WM_SETREDRAW, FALSE, 0);
  RECT rect{};
  GetWindowRect(window.list, &rect);
  const int count = static_cast<int>(kColumnTitles.size());
  const int width = (rect.right - rect.left) / count;
  for (int i = 0; i < count; ++i) {
    std::array<wchar_t, kColumnTitleLength> title{};
    LoadStringW(window.instance, static_cast<UINT>(kColumnTitles[static_cast<std::size_t>(i)]), title.data(),
                kColumnTitleLength);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = i == count - 1 ? width - kLastColumnNarrowing : width;
    column.pszText = title.data();
    column.iSubItem = i;
    SendMessageW(window.list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
  SendMessageW(window.list, WM_SETREDRAW, TRUE, 0);
}

// Setting the ticks redraws the slider, so the range need not.
void setSliderRanges(HWND dialog) {
  for (const int id : kSliderIds) {
    HWND slider = GetDlgItem(dialog, id);
    SendMessageW(slider, TBM_SETRANGE, FALSE, MAKELPARAM(0, view::SLIDER_MAX));
    SendMessageW(slider, TBM_SETTICFREQ, kTickFrequency, 0);
  }
}

// The focus goes where the dialog manager would put it, to the control it
// found before this message (focus); answering TRUE would have it look
// through the window's 54 controls once more for the same one.
INT_PTR onInitDialog(HWND dialog, HWND focus, LPARAM param) {
  MainWindow* window = reinterpret_cast<StateHandOver*>(param)->state.release();
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(window));
  window->dialog = dialog;
  window->list = GetDlgItem(dialog, IDC_RECORDS);
  addListColumns(*window);
  setSliderRanges(dialog);
  if (focus != nullptr) SetFocus(focus);
  return FALSE;
}

void loadChosenReplay(MainWindow& window) {
  const std::optional<std::wstring> path = chooseReplayFile(window.dialog, window.instance, window.openBuffers);
  if (path) openReplay(window, *path);
}

// The window shows one replay, so only the first of several files counts.
std::optional<std::wstring> firstDroppedFile(HDROP drop) {
  static auto* const query = lateBound<decltype(DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
  const UINT length = query != nullptr ? query(drop, 0, nullptr, 0) : 0;
  if (length == 0) return std::nullopt;
  std::wstring path(length, L'\0');
  if (query(drop, 0, path.data(), length + 1) != length) return std::nullopt;
  return path;
}

// The handle is released whatever happens: the system allocated it for us.
void onDropFiles(MainWindow* window, HDROP drop) {
  std::optional<std::wstring> path;
  try {
    path = firstDroppedFile(drop);
  } catch (const std::bad_alloc&) {
    // Without the memory for the path the drop is ignored.
  }
  static auto* const finish = lateBound<decltype(DragFinish)>(L"shell32.dll", "DragFinish");
  if (finish != nullptr) finish(drop);
  if (window != nullptr && path) openReplay(*window, *path);
}

void copyShownReplay(const MainWindow& window) {
  if (!window.shownPath) return;
  try {
    putOnClipboard(window.dialog, copiedText(shownContent(window)));
  } catch (const std::bad_alloc&) {
    // Without the memory for the text there is nothing to copy.
  }
}

// Right-clicks on the caption or the frame keep the system menu; the
// keyboard's menu key sends (-1, -1) and gets the menu at the client area.
std::optional<POINT> contextMenuPoint(HWND dialog, LPARAM where) {
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  if (at.x == -1 && at.y == -1) {
    at = {};
    ClientToScreen(dialog, &at);
    return at;
  }
  POINT client = at;
  ScreenToClient(dialog, &client);
  RECT area{};
  GetClientRect(dialog, &area);
  if (!PtInRect(&area, client)) return std::nullopt;
  return at;
}

void showContextMenu(MainWindow& window, LPARAM where) {
  const std::optional<POINT> at = contextMenuPoint(window.dialog, where);
  if (!at) return;
  HMENU menu = LoadMenuW(window.instance, MAKEINTRESOURCEW(IDR_CONTEXT_MENU));
  if (menu == nullptr) return;
  HMENU popup = GetSubMenu(menu, 0);
  const auto state = static_cast<UINT>(MF_BYCOMMAND | (window.shownPath ? MF_ENABLED : MF_GRAYED));
  EnableMenuItem(popup, IDM_EDIT_COPY, state);
  const BOOL chosen = TrackPopupMenu(popup, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at->x, at->y, 0,
                                     window.dialog, nullptr);
  DestroyMenu(menu);
  if (chosen == IDM_EDIT_COPY) copyShownReplay(window);
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
    case IDM_EDIT_COPY:
      copyShownReplay(window);
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
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), GetDesktopWindow(), mainWindowProc,
                            reinterpret_cast<LPARAM>(&handOver));
}

MainWindow* mainWindowOf(HWND dialog) {
  if (GetWindowLongPtrW(dialog, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&mainWindowProc)) return nullptr;
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK mainWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return onInitDialog(dialog, reinterpret_cast<HWND>(wParam), lParam);
    case WM_COMMAND: {
      const WORD command = LOWORD(wParam);
      if (MainWindow* window = mainWindowOf(dialog)) onCommand(*window, command);
      return command == IDM_FILE_EXIT ? TRUE : FALSE;
    }
    case WM_DROPFILES:
      onDropFiles(mainWindowOf(dialog), reinterpret_cast<HDROP>(wParam));
      return FALSE;
    case WM_CONTEXTMENU:
      if (MainWindow* window = mainWindowOf(dialog)) showContextMenu(*window, lParam);
      return FALSE;
    case WM_CLOSE:
      DestroyWindow(dialog);
      return FALSE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return FALSE;
    case WM_NCDESTROY:
      delete mainWindowOf(dialog);
      SetWindowLongPtrW(dialog, DWLP_USER, 0);
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace vantor::app
