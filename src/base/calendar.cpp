#include "base/calendar.h"

#include <algorithm>
#include <limits>

namespace horavia {
namespace {

using std::chrono::days;
using std::chrono::sys_days;
using std::chrono::year_month_day;

// Well inside std::chrono::year's range, so that a 32-bit number of seconds
// (68 years) either way still gives a valid date.
constexpr int64_t kYearLimit = 30000;
constexpr int64_t kSecondsPerDay = 86400;

sys_days DaysOf(int64_t year, int64_t month, int64_t day) {
  const int64_t monthIndex = month - 1;
  const int64_t yearCarry = FloorDiv(monthIndex, 12);
  const int64_t wholeYear = std::clamp(year + yearCarry, -kYearLimit, kYearLimit);
  const auto monthOfYear = static_cast<unsigned>(monthIndex - 12 * yearCarry + 1);
  const sys_days first{std::chrono::year{static_cast<int>(wholeYear)} /
                       std::chrono::month{monthOfYear} / 1};
  return first + days{static_cast<days::rep>(day - 1)};
}

int32_t Saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t SecondsSinceEpoch(const ClockParts& p) {
  return DaysOf(p.year, p.month, p.day).time_since_epoch().count() * kSecondsPerDay +
         int64_t{p.hour} * 3600 + int64_t{p.minute} * 60 + p.second;
}

ClockParts FromSecondsSinceEpoch(int64_t seconds) {
  const int64_t dayCount = FloorDiv(seconds, kSecondsPerDay);
  const int64_t secondOfDay = seconds - dayCount * kSecondsPerDay;
  return PartsAt(year_month_day{sys_days{days{static_cast<days::rep>(dayCount)}}},
                 static_cast<int32_t>(secondOfDay / 3600),
                 static_cast<int32_t>(secondOfDay % 3600 / 60),
                 static_cast<int32_t>(secondOfDay % 60));
}

int32_t SecondsBetween(int32_t year1, int32_t month1, int32_t day1, int32_t hour1, int32_t minute1,
                       int32_t second1, int32_t year2, int32_t month2, int32_t day2, int32_t hour2,
                       int32_t minute2, int32_t second2) {
  const ClockParts from{hour1, minute1, second1, month1, day1, year1};
  const ClockParts to{hour2, minute2, second2, month2, day2, year2};
  return SecondsBetween(from, to);
}

int32_t SecondsBetween(const ClockParts& from, const ClockParts& to) {
  return Saturate(SecondsSinceEpoch(to) - SecondsSinceEpoch(from));
}

int32_t AbsDifference(int32_t a, int32_t b) {
  const int64_t difference = int64_t{a} - b;
  return Saturate(difference < 0 ? -difference : difference);
}

ClockParts AddSeconds(const ClockParts& parts, int32_t seconds) {
  return FromSecondsSinceEpoch(SecondsSinceEpoch(parts) + seconds);
}

year_month_day DateFromDayOfYear(int32_t year, int32_t day) {
  return year_month_day{DaysOf(year, 1, day)};
}

int32_t DayOfYear(const year_month_day& date) {
  const sys_days newYear{date.year() / std::chrono::January / 1};
  return static_cast<int32_t>((sys_days{date} - newYear).count() + 1);
}

year_month_day DateOf(const ClockParts& parts) {
  const ClockParts whole = AddSeconds(parts, 0);
  return year_month_day{DaysOf(whole.year, whole.month, whole.day)};
}

ClockParts PartsAt(const year_month_day& date, int32_t hour, int32_t minute, int32_t second) {
  return ClockParts{hour,
                    minute,
                    second,
                    static_cast<int32_t>(static_cast<unsigned>(date.month())),
                    static_cast<int32_t>(static_cast<unsigned>(date.day())),
                    static_cast<int32_t>(date.year())};
}

ClockParts PartsOf(const LocalDateTime& moment) {
  return ClockParts{moment.hour,  moment.minute, moment.second,
                    moment.month, moment.day,    moment.year};
}

}  // namespace horavia
