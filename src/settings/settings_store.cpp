#include "settings/settings_store.h"

#include <optional>
#include <string>

#include "settings/settings_file.h"

namespace horavia {

bool LoadSettings(Settings& settings, Platform& os) {
  settings.syncIntervalMs = 20000;
  settings.logSecondMin = 60;
  settings.smTimeoutRetry = 40;

  const std::string path = os.programFolder + kSettingsFileName;
  if (!os.files.IsRegularFile(path)) return true;
  const std::optional<std::string> text = os.files.ReadAll(path);
  if (!text) return false;  // unreadable (locked, no access): the defaults stand

  const SettingsReadResult read = ReadSettingsText(
      *text, settings, os.regional.ToAnsi(os.regional.DecimalSeparator()).value_or("."));
  settings = read.settings;
  if (!read.syncIntervalSeconds) return true;
  const int32_t seconds = *read.syncIntervalSeconds;
  if (seconds < 1 || seconds > 60) {
    os.boxes.Show(
        "Invalid SYNC_INTERVAL value found in Horavia.ini.  Valid values are 1-60 (seconds).  "
        "Defaulting to 20.",
        kProgramTitle, BoxKind::Information);
    return true;
  }
  settings.syncIntervalMs = seconds * 1000;
  return true;
}

void SaveSettings(const Settings& settings, Platform& os, bool unreadAtStartUp,
                  bool tellFailure) {
  const std::string path = os.programFolder + kSettingsFileName;
  if (unreadAtStartUp) {
    if (!tellFailure) return;
    // Writing would put defaults the user never chose over the user's file.
    os.boxes.Show("Could not read " + path +
                      " file at start-up.  It is left as it is; the settings of this run are "
                      "not saved.",
                  kProgramTitle, BoxKind::Warning);
    return;
  }
  if (os.files.ReplaceAll(path, FormatSettingsText(settings)) || !tellFailure) return;
  os.boxes.Show("Could not write " + path + " file.", kProgramTitle, BoxKind::Warning);
}

}  // namespace horavia
