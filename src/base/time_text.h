#pragma once

#include <cstdint>
#include <string>

namespace horavia {

// Whole seconds as hours, minutes and seconds ("01:00:00", "100:00:00"):
// hours at least two digits and never wrapped at 24, since a chronometer may
// run for days. A negative count, which the chronometers never give, gets a
// leading minus sign.
std::string SecondsToText(int32_t seconds);

// The hour a clock shows: the hour itself with the 24-hour toggle on, else
// 12 for midnight and hour - 12 in the afternoon.
int32_t ShownHour(int32_t hour, bool show24Hour);

// A number as at least two digits with a leading zero ("05", "59", "100").
std::string TwoDigits(int32_t value);

}  // namespace horavia
