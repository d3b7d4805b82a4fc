#pragma once

#include <cstdint>
#include <string>

#include "core/main_state.h"
#include "platform/ports/regional.h"

namespace horavia {

inline constexpr const char* kLogFileName = "\\Horavia.log";

// The first line of a new log: the ten column names joined by TABs.
std::string LogHeaderLine();

// The time column: the 12-hour time with the user's time separator and
// " AM" or " PM" ("01:45:21 PM").
std::string LogTimeText(const ClockParts& stamp, Regional& regional);

// One entry as the log holds it (UTF-8, no line end): long date, the date as
// year/month/day and the 12-hour time with the user's separators, the three
// elapsed times as text and as seconds, and an empty note after the ninth TAB.
std::string LogEntryLine(const ClockParts& stamp, int32_t flightSeconds, int32_t groundSeconds,
                         Regional& regional);

}  // namespace horavia
