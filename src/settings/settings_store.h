#pragma once

#include "base/program_title.h"
#include "ports/platform.h"
#include "settings/settings.h"

namespace horavia {

// Read once at start-up: the three always-present settings go back to their
// defaults, then the settings file of the program folder is applied. A sync
// interval outside 1 to 60 seconds is reported in a message box and replaced
// by 20 seconds. False when a settings file is there but could not be read
// (another program holds it): the defaults stand, and the caller passes that
// on to SaveSettings.
bool LoadSettings(Settings& settings, Platform& os);

// Written once at shut-down. The file is replaced as a whole, so a failed
// write leaves the previous file untouched; the user is told in a message box.
// A file that could not be read at start-up is left as it is, since this run
// never had its settings, and the user is told so instead. Without
// `tellFailure` (Windows is ending the session) nothing is shown.
void SaveSettings(const Settings& settings, Platform& os, bool unreadAtStartUp = false,
                  bool tellFailure = true);

}  // namespace horavia
