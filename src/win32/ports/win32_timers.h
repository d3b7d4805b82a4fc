#pragma once

#include <windows.h>

#include "ports/timers.h"

namespace horavia::win32 {

// Window timers of the main window: their ticks arrive as WM_TIMER with the
// TimerId as the timer's id. Arming before the window exists does nothing.
class Win32Timers final : public Timers {
 public:
  void SetWindow(HWND window) { window_ = window; }
  void Arm(TimerId id, int32_t intervalMs) override;
  void Disarm(TimerId id) override;

 private:
  HWND window_ = nullptr;
};

}  // namespace horavia::win32
