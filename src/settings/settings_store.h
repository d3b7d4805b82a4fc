#pragma once

#include "platform/ports/platform.h"
#include "settings/settings.h"

namespace horavia {

inline constexpr const char* kProgramTitle = "Horavia";

// Read once at start-up: the three always-present settings go back to their
// defaults, then the settings file of the program folder is applied. A sync
// interval outside 1 to 60 seconds is reported in a message box and replaced
// by 20 seconds.
void LoadSettings(Settings& settings, Platform& os);

// Written once at shut-down. The file is replaced as a whole, so a failed
// write leaves the previous file untouched; the user is told in a message box.
void SaveSettings(const Settings& settings, Platform& os);

}  // namespace horavia
