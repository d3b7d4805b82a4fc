#include "timekeeping/sim_clock_reading.h"

#include "base/calendar.h"
#include "timekeeping/sync_rules.h"

namespace horavia {

int32_t SimClockReading::ZuluOffset() const {
  return ZuluOffsetMinutes(localHour, localMinute, zuluHour, zuluMinute);
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
