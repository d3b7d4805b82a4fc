#include "settings/settings_store.h"

#include <optional>
#include <string>

#include "settings/settings_format.h"

namespace horavia {

void LoadSettings(Settings& settings, Platform& os) {
  settings.SyncIntervalMs = 20000;
  settings.LogSecondMin = 60;
  settings.SmTimeoutRetry = 40;

  const std::string path = os.programFolder + kSettingsFileName;
  if (!os.files.IsRegularFile(path)) return;
  const std::optional<std::string> text = os.files.ReadAll(path);
  if (!text) return;  // unreadable (locked, no access): the defaults stand

  const SettingsReadResult read =
      ReadSettingsText(*text, settings, os.regional.ToAnsi(os.regional.DecimalSeparator()));
  settings = read.settings;
  if (!read.syncIntervalSeconds) return;
  const int32_t seconds = *read.syncIntervalSeconds;
  if (seconds < 1 || seconds > 60) {
    os.boxes.Show(
        "Invalid SYNC_INTERVAL value found in Horavia.ini.  Valid values are 1-60 (seconds).  "
        "Defaulting to 20.",
        kProgramTitle, BoxKind::Information);
    return;
  }
  settings.SyncIntervalMs = seconds * 1000;
}

void SaveSettings(const Settings& settings, Platform& os) {
  const std::string path = os.programFolder + kSettingsFileName;
  if (os.files.ReplaceAll(path, FormatSettingsText(settings))) return;
  os.boxes.Show("Could not write " + path + " file.", kProgramTitle, BoxKind::Warning);
}

}  // namespace horavia
