#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "windows/main_controls.h"
#include "windows/main_layout.h"

namespace horavia {

// The row of six image buttons along the bottom of the main window, each
// with a caption label above it, in twips like the rest of the layout.
inline constexpr int32_t kButtonTopTwips = 2280;
inline constexpr int32_t kButtonWidthTwips = 405;
inline constexpr int32_t kButtonHeightTwips = 255;
inline constexpr int32_t kButtonCaptionTopTwips = 2040;
inline constexpr int32_t kButtonCaptionHeightTwips = 240;

// One button: where its face sits, the label above it (white on the
// window's grey, text font) and its tool tip. Captions are wider or narrower
// than their buttons and are placed on their own, as designed.
struct ImageButtonLayout {
  int32_t left = 0;
  std::string_view captionName;
  std::string_view caption;
  int32_t captionLeft = 0;
  int32_t captionWidth = 0;
  std::string_view toolTip;

  constexpr TwipsRect Cell() const {
    return {left, kButtonTopTwips, kButtonWidthTwips, kButtonHeightTwips};
  }
  constexpr TwipsRect CaptionRect() const {
    return {captionLeft, kButtonCaptionTopTwips, captionWidth, kButtonCaptionHeightTwips};
  }
};

// clang-format off
inline constexpr std::array<ImageButtonLayout, kButtonCount> kImageButtons{{
  {240,  "startCaption",    "Start",     240,  495, "Start with system time"},
  {1080, "startLocalCaption", "Start Loc", 960,  735, "Start with MSFS local time"},
  {1920, "hour24Caption",             "24 Hr",     1920, 495, "Show time in 24 hour format"},
  {2760, "zuluCaption",    "MSFS Zulu", 2520, 975, "Show MSFS Zulu time"},
  {3600, "chronometersCaption",             "Chrono",    3480, 735, "Show chronometers"},
  {4440, "infoCaption",            "Info",      4440, 495, "Help!"},
}};
// clang-format on

}  // namespace horavia
