#pragma once

#include <chrono>
#include <cstdint>

#include "base/clock_parts.h"
#include "ports/clock.h"

namespace horavia {

// Date and time arithmetic for the clocks. Parts outside their usual range
// roll over into the next larger unit (month 13 is January of the next year,
// day 0 the last day of the month before, hour 24 the next day), so parts
// that were never filled, all zero, still give an answer. Years are held
// within +-30000.

// Whole seconds from the first date-time to the second; positive when the
// second is later. A span beyond the 32-bit range is held at its limit.
int32_t SecondsBetween(int32_t year1, int32_t month1, int32_t day1, int32_t hour1, int32_t minute1,
                       int32_t second1, int32_t year2, int32_t month2, int32_t day2, int32_t hour2,
                       int32_t minute2, int32_t second2);
int32_t SecondsBetween(const ClockParts& from, const ClockParts& to);

// |a - b|, held at the 32-bit limit.
int32_t AbsDifference(int32_t a, int32_t b);

// The date-time `seconds` later, or earlier when negative, across days,
// months, years and leap days.
ClockParts AddSeconds(const ClockParts& parts, int32_t seconds);

// Day `day` of `year`, 1 being 1 January; days beyond the year run on into
// the next one, and day 0 is 31 December of the year before.
std::chrono::year_month_day DateFromDayOfYear(int32_t year, int32_t day);
// 1 for 1 January, 366 for 31 December of a leap year.
int32_t DayOfYear(const std::chrono::year_month_day& date);

std::chrono::year_month_day DateOf(const ClockParts& parts);
// The date at hour : minute : second.
ClockParts PartsAt(const std::chrono::year_month_day& date, int32_t hour, int32_t minute,
                   int32_t second);
ClockParts PartsOf(const LocalDateTime& moment);

// Whole seconds since 1 January 1970 00:00:00, and back.
int64_t SecondsSinceEpoch(const ClockParts& parts);
ClockParts FromSecondsSinceEpoch(int64_t seconds);
// Rounds towards minus infinity; `b` is positive.
int64_t FloorDiv(int64_t a, int64_t b);

}  // namespace horavia
