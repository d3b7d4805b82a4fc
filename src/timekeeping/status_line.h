#pragma once

#include <cstdint>
#include <string>

#include "timekeeping/timekeeper.h"

namespace horavia {

// The one-line status the simulator shows for five seconds: " HVA: OFF",
// or " HVA: ON  Time: <sim clock text>  Zulu Offset: <hours>  Chrono:
// F(..), G(..), T(..)", the hours in their shortest decimal form with the
// user's decimal separator.
std::string StatusLine(const Timekeeper& timekeeper, const std::string& simClockText,
                       const std::string& decimalSeparator);

}  // namespace horavia
