#pragma once

#include <cstdint>

namespace horavia {

// The user's settings, one record for the whole run. Hot-key codes are
// Windows virtual-key codes (0 = none); modifier codes add 1 for CTRL and 2
// for SHIFT.
struct Settings {
  int32_t SyncIntervalMs = 20000;
  int32_t LogSecondMin = 60;
  int32_t SmTimeoutRetry = 40;
  int32_t StartHk = 0;
  int32_t StartHkCs = 0;
  int32_t StartLocHk = 0;
  int32_t StartLocHkCs = 0;
  int32_t StatusHk = 0;
  int32_t StatusHkCs = 0;

  friend bool operator==(const Settings&, const Settings&) = default;
};

}  // namespace horavia
