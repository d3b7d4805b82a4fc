#pragma once

#include <windows.h>

namespace horavia::win32 {

// The tool tips of the six image buttons: one common-controls tool tip
// window owned by the main window, with one tool per button rectangle.
class ButtonToolTips {
 public:
  ButtonToolTips() = default;
  ButtonToolTips(const ButtonToolTips&) = delete;
  ButtonToolTips& operator=(const ButtonToolTips&) = delete;
  ~ButtonToolTips() { Destroy(); }

  // False when the tool tip window could not be made; the buttons work
  // without their tips.
  bool Create(HWND owner, UINT dpi);
  // Moves the tools onto the buttons as laid out at a new DPI.
  void Place(UINT dpi);
  void Destroy();

 private:
  HWND owner_ = nullptr;
  HWND tip_ = nullptr;
};

}  // namespace horavia::win32
