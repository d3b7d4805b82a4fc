#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace horavia {

inline constexpr const char* kSettingsFileName = "\\Horavia.ini";

// What reading a settings text gives: the record with every recognised line
// applied, and the seconds of the last SYNC_INTERVAL= line that held a number.
struct SettingsReadResult {
  Settings settings;
  std::optional<int32_t> syncIntervalSeconds;
};

// Applies the lines of `text` to `start`. Lines may end in CR LF or LF alone;
// keys are matched whole and case-sensitively up to the first "="; a value
// that is not a number leaves its field as it was.
SettingsReadResult ReadSettingsText(std::string_view text, const Settings& start,
                                    std::string_view decimalSeparator);

// Converts a settings value: blanks around it are ignored, a fraction is
// rounded to the nearest integer with halves to the even neighbour. Nothing
// when it is not a number or does not fit in 32 bits.
std::optional<int32_t> ParseSettingsNumber(std::string_view value,
                                           std::string_view decimalSeparator);

// The file's text: the fixed keys in their fixed order, each line ended by CR LF.
std::string FormatSettingsText(const Settings& settings);

}  // namespace horavia
