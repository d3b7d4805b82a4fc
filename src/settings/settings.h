#pragma once

#include <cstdint>

namespace horavia {

// The user's settings, one record for the whole run. Hot-key codes are
// Windows virtual-key codes (0 = none); modifier codes add 1 for CTRL and 2
// for SHIFT.
struct Settings {
  int32_t syncIntervalMs = 20000;
  int32_t logSecondMin = 60;
  int32_t smTimeoutRetry = 40;
  int32_t startKey = 0;
  int32_t startModifiers = 0;
  int32_t startLocKey = 0;
  int32_t startLocModifiers = 0;
  int32_t statusKey = 0;
  int32_t statusModifiers = 0;

  friend bool operator==(const Settings&, const Settings&) = default;
};

}  // namespace horavia
