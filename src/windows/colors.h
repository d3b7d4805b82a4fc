#pragma once

#include <cstdint>

namespace horavia {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colors {
inline constexpr Rgb kWindowGrey{128, 128, 128};
inline constexpr Rgb kFrameGreen{0, 64, 0};
inline constexpr Rgb kBrightGreen{0, 255, 0};
inline constexpr Rgb kMediumGreen{0, 192, 0};
inline constexpr Rgb kDarkGreen{0, 128, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kOlive{128, 128, 0};
inline constexpr Rgb kWhite{255, 255, 255};
}  // namespace colors

}  // namespace horavia
