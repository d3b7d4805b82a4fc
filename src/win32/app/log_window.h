#pragma once

#include <windows.h>

#include "windows/log_window_model.h"

namespace horavia::win32 {

// Shows the ChronoLog window over `owner` and returns once it has closed.
// The owner is disabled meanwhile, but its timers keep running: the window
// dispatches every message of the thread while it waits. Runs the model's
// Form_Load and, whichever way the window closes, its Form_Unload. False
// when the window could not be created; the model has then not run.
bool ShowChronoLogWindow(HWND owner, LogWindowModel& model);

}  // namespace horavia::win32
