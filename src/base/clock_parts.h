#pragma once

#include <cstdint>

namespace horavia {

// A local date and time to the second, as six parts. Parts outside their
// usual range are allowed; the calendar functions roll them over.
struct ClockParts {
  int32_t hour = 0;    // 0..23
  int32_t minute = 0;
  int32_t second = 0;
  int32_t month = 0;
  int32_t day = 0;
  int32_t year = 0;

  friend bool operator==(const ClockParts&, const ClockParts&) = default;
};

}  // namespace horavia
