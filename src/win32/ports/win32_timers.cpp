#include "win32/ports/win32_timers.h"

namespace horavia::win32 {

// SetTimer with an id already in use replaces that timer and starts its
// period afresh, which is what re-arming means.
void Win32Timers::Arm(TimerId id, int32_t intervalMs) {
  if (window_ == nullptr) return;
  const UINT interval = intervalMs > 0 ? static_cast<UINT>(intervalMs) : USER_TIMER_MINIMUM;
  ::SetTimer(window_, static_cast<UINT_PTR>(id), interval, nullptr);
}

void Win32Timers::Disarm(TimerId id) {
  if (window_ == nullptr) return;
  ::KillTimer(window_, static_cast<UINT_PTR>(id));
}

}  // namespace horavia::win32
