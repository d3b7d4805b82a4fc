#include "timekeeping/sim_clock_reading.h"

#include "base/calendar.h"
#include "timekeeping/sync_rules.h"

namespace horavia {

namespace {

// The zones there are: Baker Island's -12:00 to Kiribati's +14:00.
constexpr int32_t kWestmostZone = -720;
constexpr int32_t kEastmostZone = 840;

}  // namespace

int32_t SimClockReading::ZuluOffset() const {
  const int32_t fromTimes = ZuluOffsetMinutes(localHour, localMinute, zuluHour, zuluMinute);
  const int32_t told = -zoneBehindZulu;
  const bool agrees = (told - fromTimes) % 1440 == 0;
  return agrees && told >= kWestmostZone && told <= kEastmostZone ? told : fromTimes;
}

bool SimClockReading::IsCalendarTime() const {
  if (zuluYear < 1 || zuluYear > 9999 || zuluDayOfYear < 1) return false;
  const int32_t daysInYear = DayOfYear(std::chrono::year{zuluYear} / std::chrono::December / 31);
  return zuluDayOfYear <= daysInYear && localHour < 24 && localMinute < 60 && second < 60 &&
         zuluHour < 24 && zuluMinute < 60;
}

std::chrono::year_month_day SimClockReading::ZuluDate() const {
  return DateFromDayOfYear(zuluYear, zuluDayOfYear);
}

ClockParts SimClockReading::Local() const {
  const ClockParts zulu = PartsAt(ZuluDate(), zuluHour, zuluMinute, second);
  const ClockParts localDay = AddSeconds(zulu, ZuluOffset() * 60);
  return ClockParts{localHour, localMinute, second, localDay.month, localDay.day, localDay.year};
}

}  // namespace horavia
