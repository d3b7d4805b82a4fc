#include "timekeeping/sync_rules.h"

namespace horavia {

int32_t ZuluOffsetMinutes(int32_t localHour, int32_t localMinute, int32_t zuluHour,
                          int32_t zuluMinute) {
  int32_t offset = (localHour * 60 + localMinute) - (zuluHour * 60 + zuluMinute);
  if (offset > 720) {
    offset -= 1440;
  } else if (offset < -720) {
    offset += 1440;
  }
  return offset;
}

int32_t IntervalSeconds(int32_t intervalMs) {
  int32_t seconds = intervalMs / 1000;
  const int32_t rest = intervalMs % 1000;
  if (rest > 500 || (rest == 500 && seconds % 2 != 0)) ++seconds;
  return seconds;
}

}  // namespace horavia
