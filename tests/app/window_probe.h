#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Reads the main window's controls back the way a user would see them.
namespace vantor::testing {

std::string windowText(HWND window);
std::string itemText(HWND dialog, int id);
int sliderPosition(HWND dialog, int id);
int sliderMin(HWND dialog, int id);
int sliderMax(HWND dialog, int id);
bool isChecked(HWND dialog, int id);

struct ListColumn {
  std::string title;
  int width = 0;
};
std::vector<ListColumn> listColumns(HWND list);
// Every row as its four column texts.
std::vector<std::vector<std::string>> listRows(HWND list);

// Dispatches what is queued for this thread without waiting; a quit
// message is taken off the queue and its code returned (else -1).
int drainMessages();

// Runs an action on a modal dialog of this thread while it is open: a timer
// looks for a visible top-level window with the given caption and calls the
// action once on it. Should the dialog still be open two seconds after
// that, it is cancelled, so that a broken dialog fails a test instead of
// hanging it.
class ModalDriver {
 public:
  ModalDriver(std::string caption, std::function<void(HWND)> action);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  [[nodiscard]] bool ran() const { return ranAt_ != 0; }
  [[nodiscard]] bool forcedClose() const { return forcedClose_; }

 private:
  static void CALLBACK onTimer(HWND timerWindow, UINT message, UINT_PTR id, DWORD now);
  void tick(DWORD now);

  std::string caption_;
  std::function<void(HWND)> action_;
  HWND timerWindow_ = nullptr;
  DWORD ranAt_ = 0;
  bool forcedClose_ = false;
};

}  // namespace vantor::testing
