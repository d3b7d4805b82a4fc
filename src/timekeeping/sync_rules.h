#pragma once

#include <cstdint>

namespace horavia {

// Local minus Zulu time in minutes, from hours and minutes alone, folded
// once into -720..720: a zone is at most half a day away from Zulu time.
int32_t ZuluOffsetMinutes(int32_t localHour, int32_t localMinute, int32_t zuluHour,
                          int32_t zuluMinute);

// The whole seconds of a timer interval, halves to the even neighbour.
int32_t IntervalSeconds(int32_t intervalMs);

}  // namespace horavia
