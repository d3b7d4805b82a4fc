#pragma once

#include <array>
#include <string>

#include "ui/colors.h"

namespace horavia {

// What one label shows: the renderer mirrors it after every handler.
struct LabelState {
  std::string caption;
  Rgb color;
  bool visible = true;
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

inline constexpr int kButtonCount = 6;

// The visible state of the main window's controls, as the window is designed.
struct MainControls {
  std::string caption = "Horavia (OFF)";
  bool fraInternalTimeVisible = true;
  bool fraHelpVisible = false;
  LabelState lblInternalClock{"HH : MM", colors::kBrightGreen};
  LabelState lblInternalAM{"AM", colors::kDarkGreen};
  LabelState lblInternalPM{"PM", colors::kDarkGreen};
  LabelState lblInternalDate{"", colors::kBrightGreen};
  LabelState lblVersion{"", colors::kMediumGreen};
  LabelState lblFSClock{"?? : ??", colors::kYellow};
  LabelState lblFSAM{"AM", colors::kOlive};
  LabelState lblFSPM{"PM", colors::kOlive};
  LabelState lblFSZulu{"z", colors::kOlive};
  LabelState lblFSDate{"", colors::kYellow};
  std::array<ImageButtonState, kButtonCount> imgButton{};
};

}  // namespace horavia
