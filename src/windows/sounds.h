#pragma once

#include <string_view>

#include "ports/platform.h"

namespace horavia {

inline constexpr std::string_view kSoundButton = "\\sound_button.wav";
inline constexpr std::string_view kSoundSync = "\\sound_sync.wav";
inline constexpr std::string_view kSoundWarning = "\\sound_warning.wav";
inline constexpr std::string_view kSoundStart = "\\sound_start.wav";

// Plays a sound of the program folder without waiting; a missing file is
// silent. `name` begins with "\".
void PlayWav(Platform& os, std::string_view name);

}  // namespace horavia
