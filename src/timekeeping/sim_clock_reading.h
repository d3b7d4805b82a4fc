#pragma once

#include <chrono>
#include <cstdint>

#include "base/clock_parts.h"

namespace horavia {

// The simulator's clock as one read gives it: local and Zulu time of day
// (sharing one second) and the Zulu date. The values are taken as read,
// each at most 16 bits wide.
struct SimClockReading {
  int32_t localHour = 0;
  int32_t localMinute = 0;
  int32_t second = 0;
  int32_t zuluHour = 0;
  int32_t zuluMinute = 0;
  int32_t zuluDayOfYear = 0;  // 1 = 1 January
  int32_t zuluYear = 0;

  // Local minus Zulu time in minutes, from hours and minutes alone, within
  // -720..720.
  int32_t ZuluOffset() const;
  std::chrono::year_month_day ZuluDate() const;
  // The local time read, on the Zulu date moved by the Zulu offset.
  ClockParts Local() const;
};

}  // namespace horavia
