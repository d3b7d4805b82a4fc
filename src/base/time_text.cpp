#include "base/time_text.h"

namespace horavia {
namespace {

std::string TwoDigits64(int64_t value) {
  std::string text = std::to_string(value);
  if (value >= 0 && value < 10) text.insert(0, 1, '0');
  return text;
}

std::string NonNegativeSecondsToText(int64_t seconds) {
  const int64_t hours = seconds / 3600;
  const int64_t minutes = seconds % 3600 / 60;
  return TwoDigits64(hours) + ":" + TwoDigits64(minutes) + ":" + TwoDigits64(seconds % 60);
}

}  // namespace

std::string TwoDigits(int32_t value) { return TwoDigits64(value); }

std::string SecondsToText(int32_t seconds) {
  // Widened first, so that the most negative count can be negated.
  const int64_t wide = seconds;
  if (wide < 0) return "-" + NonNegativeSecondsToText(-wide);
  return NonNegativeSecondsToText(wide);
}

int32_t ShownHour(int32_t hour, bool show24Hour) {
  if (show24Hour) return hour;
  if (hour == 0) return 12;
  if (hour > 12) return hour - 12;
  return hour;
}

}  // namespace horavia
