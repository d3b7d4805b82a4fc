#include "chronolog/log_format.h"

#include <cstdio>

#include "base/time_text.h"

namespace horavia {
namespace {

std::string Padded(int32_t value, int width) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%0*d", width, static_cast<int>(value));
  return buf;
}

}  // namespace

std::string LogHeaderLine() {
  return "Date\tDate (YYYY/MM/DD)\tTime\tElapsed Flight\tElapsed Flight (Seconds)\t"
         "Elapsed Ground\tElapsed Ground (Seconds)\tElapsed Total\tElapsed Total (Seconds)\tNotes";
}

std::string LogTimeText(const ClockParts& stamp, Regional& regional) {
  const std::string timeSeparator = regional.TimeSeparator();
  const int32_t hour12 = stamp.hour % 12 == 0 ? 12 : stamp.hour % 12;
  return Padded(hour12, 2) + timeSeparator + Padded(stamp.minute, 2) + timeSeparator +
         Padded(stamp.second, 2) + (stamp.hour < 12 ? " AM" : " PM");
}

std::string LogEntryLine(const ClockParts& stamp, int32_t flightSeconds, int32_t groundSeconds,
                         Regional& regional) {
  const std::string dateSeparator = regional.DateSeparator();
  const int32_t total = flightSeconds + groundSeconds;

  std::string line = regional.LongDate(stamp.year, stamp.month, stamp.day);
  line += '\t';
  line += Padded(stamp.year, 4) + dateSeparator + Padded(stamp.month, 2) + dateSeparator +
          Padded(stamp.day, 2);
  line += '\t';
  line += LogTimeText(stamp, regional);
  for (const int32_t seconds : {flightSeconds, groundSeconds, total}) {
    line += '\t';
    line += SecondsToText(seconds);
    line += '\t';
    line += std::to_string(seconds);
  }
  line += '\t';
  return line;
}

}  // namespace horavia
