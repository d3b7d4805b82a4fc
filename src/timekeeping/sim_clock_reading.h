#pragma once

#include <chrono>
#include <cstdint>

#include "base/clock_parts.h"

namespace horavia {

// The simulator's clock as one read gives it: local and Zulu time of day
// (sharing one second), the Zulu date, the zone the simulator tells and its
// simulation rate. The values are taken as read, each at most 16 bits wide.
struct SimClockReading {
  int32_t localHour = 0;
  int32_t localMinute = 0;
  int32_t second = 0;
  int32_t zuluHour = 0;
  int32_t zuluMinute = 0;
  int32_t zuluDayOfYear = 0;  // 1 = 1 January
  int32_t zuluYear = 0;
  int32_t zoneBehindZulu = 0;  // minutes local time is behind Zulu; 0 where not served
  int32_t rate256 = 0;  // the simulation rate times 256 (512 = 2x); 0 where not served

  // Local minus Zulu time in minutes. Hours and minutes cannot tell +13 h
  // from -11 h: the zone the simulator tells picks the day where it agrees
  // with them, else they are folded into -720..720.
  int32_t ZuluOffset() const;
  // The simulator's clock runs in real time: a rate of 1x, or none told.
  bool RealTime() const { return rate256 == 0 || rate256 == 256; }
  // A time of day and a Zulu date that exist: a simulator still loading
  // may serve day 0 or year 0.
  bool IsCalendarTime() const;
  std::chrono::year_month_day ZuluDate() const;
  // The local time read, on the Zulu date moved by the Zulu offset.
  ClockParts Local() const;
};

}  // namespace horavia
