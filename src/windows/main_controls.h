#pragma once

#include <array>
#include <string>

#include "windows/colors.h"

namespace horavia {

// What one label shows: the renderer mirrors it after every handler.
struct LabelState {
  std::string caption;
  Rgb color;
  bool visible = true;
  // Shown while the pointer rests on the label; empty: no tip.
  std::string toolTip = {};
  friend bool operator==(const LabelState&, const LabelState&) = default;
};

// The three faces of an image button: grey = cannot be used, red = usable
// and off, green = on.
enum class ButtonFace { Grey, Red, Green };

struct ImageButtonState {
  bool enabled = false;
  ButtonFace face = ButtonFace::Grey;
  friend bool operator==(const ImageButtonState&, const ImageButtonState&) = default;
};

// The six image buttons, left to right.
enum class MainButton { Start, StartLocal, Hour24, Zulu, Chronometers, Info };
inline constexpr int kButtonCount = 6;

// The visible state of the main window's controls, as the window is designed.
struct MainControls {
  std::string caption = "Horavia (OFF)";
  bool internalClockFrameVisible = true;
  bool infoFrameVisible = false;
  LabelState internalTime{"HH : MM", colors::kBrightGreen};
  LabelState internalAm{"AM", colors::kDarkGreen};
  LabelState internalPm{"PM", colors::kDarkGreen};
  LabelState internalDate{"", colors::kBrightGreen};
  LabelState version{"", colors::kMediumGreen};
  LabelState simTime{"?? : ??", colors::kYellow};
  LabelState simAm{"AM", colors::kOlive};
  LabelState simPm{"PM", colors::kOlive};
  LabelState simZulu{"z", colors::kOlive};
  LabelState simDate{"", colors::kYellow};
  std::array<ImageButtonState, kButtonCount> buttons{};
};

}  // namespace horavia
