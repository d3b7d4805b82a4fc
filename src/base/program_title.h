#pragma once

namespace horavia {

// The title of every message box the program shows.
inline constexpr const char* kProgramTitle = "Horavia";

}  // namespace horavia
