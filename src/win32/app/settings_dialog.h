#pragma once

#include <windows.h>

#include "windows/settings_dialog_model.h"

namespace horavia::win32 {

// Shows the settings window modally over `owner` for a freshly built model,
// which it opens and drives until the model says it is closed. The owner's
// timers keep running meanwhile. True when OK stored the values.
bool ShowSettingsDialog(HWND owner, SettingsDialogModel& model);

}  // namespace horavia::win32
