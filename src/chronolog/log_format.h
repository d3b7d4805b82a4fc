#pragma once

#include <cstdint>
#include <string>

#include "base/clock_parts.h"
#include "ports/regional.h"

namespace horavia {

// One entry of the log, as the program makes it: the PC time of the last
// clock refresh before the ON period ended, and its chronometers. The total
// and the texts are derived when the line is made.
struct LogEntry {
  ClockParts stamp;
  int32_t flightSeconds = 0;
  int32_t groundSeconds = 0;

  friend bool operator==(const LogEntry&, const LogEntry&) = default;
};

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
