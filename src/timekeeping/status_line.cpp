#include "timekeeping/status_line.h"

#include <cstdio>

#include "base/time_text.h"

namespace horavia {
namespace {

// Hours as a decimal number in its shortest form, up to 15 significant
// digits, with the user's decimal separator: -300 minutes gives "-5", 330
// gives "5.5", 20 gives "0.333333333333333".
std::string HoursText(int32_t minutes, const std::string& decimalSeparator) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", static_cast<double>(minutes) / 60.0);
  std::string text = buf;
  const size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
  return text;
}

}  // namespace

std::string StatusLine(const Timekeeper& timekeeper, const std::string& simClockText,
                       const std::string& decimalSeparator) {
  if (!timekeeper.On()) return " HVA: OFF";
  const Chronometers& c = timekeeper.Counted();
  return " HVA: ON  Time: " + simClockText +
         "  Zulu Offset: " + HoursText(timekeeper.ZuluOffset(), decimalSeparator) +
         "  Chrono: F(" + SecondsToText(c.flightSeconds) + "), G(" +
         SecondsToText(c.groundSeconds) + "), T(" +
         SecondsToText(c.flightSeconds + c.groundSeconds) + ")";
}

}  // namespace horavia
