#pragma once

#include <windows.h>

#include "windows/log_window_model.h"

namespace horavia::win32 {

// Shows the ChronoLog window modally over `owner` and returns once it has
// closed. The owner's timers keep running meanwhile. Runs the model's
// opening and, whichever way the window closes, its closing. False when the
// window could not be created; the model has then not run.
bool ShowLogWindow(HWND owner, LogWindowModel& model);

}  // namespace horavia::win32
