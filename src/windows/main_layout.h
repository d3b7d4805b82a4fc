#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "windows/colors.h"
#include "windows/main_controls.h"

namespace horavia {

// The main window's client area, in twips (1/1440 inch).
inline constexpr int32_t kMainClientWidthTwips = 5175;
inline constexpr int32_t kMainClientHeightTwips = 2655;

struct TwipsRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

enum class ControlKind { Frame, Label };

// Text font: Arial 8.25 pt bold. Clock font: Impact 18 pt italic. Link font:
// the text font underlined, for the text commands.
enum class FontKind { Text, Clock, Link };

// One control of the main window as designed. Frames draw on frame green and
// show their caption (if any) in white; labels draw their text in their colour
// on frame green. Where the window model drives a control, `label` or
// `frameVisible` points at its state and wins over the fixed caption/colour.
struct LayoutEntry {
  std::string_view name;
  std::string_view parent;  // empty: the window's client area
  ControlKind kind = ControlKind::Label;
  TwipsRect rect;  // relative to the parent
  std::string_view caption;
  FontKind font = FontKind::Text;
  Rgb color = colors::kWhite;
  LabelState MainControls::*label = nullptr;
  bool MainControls::*frameVisible = nullptr;
};

constexpr LayoutEntry LayoutFrame(std::string_view name, std::string_view parent,
                                  TwipsRect rect, std::string_view caption = {},
                                  bool MainControls::*visible = nullptr) {
  return {name, parent, ControlKind::Frame, rect, caption, FontKind::Text, colors::kWhite,
          nullptr, visible};
}

constexpr LayoutEntry LayoutLabel(std::string_view name, std::string_view parent,
                                  TwipsRect rect, std::string_view caption, FontKind font,
                                  Rgb color, LabelState MainControls::*state = nullptr) {
  return {name, parent, ControlKind::Label, rect, caption, font, color, state, nullptr};
}

// Parents come before their children, and a later control paints over an
// earlier one where they overlap. The image buttons with their captions
// have a table of their own (ui/button_layout.h).
// clang-format off
inline constexpr std::array<LayoutEntry, 20> kMainLayout{{
  LayoutFrame("internalClockFrame", "", {120, 120, 4935, 855}, "HVA Time", &MainControls::internalClockFrameVisible),
  LayoutFrame("internalDateFrame", "internalClockFrame", {1800, 120, 3015, 615}),
  LayoutLabel("internalDate", "internalDateFrame", {120, 240, 2775, 255}, "", FontKind::Text, colors::kBrightGreen, &MainControls::internalDate),
  LayoutLabel("internalAm", "internalClockFrame", {1320, 240, 375, 255}, "AM", FontKind::Text, colors::kDarkGreen, &MainControls::internalAm),
  LayoutLabel("internalPm", "internalClockFrame", {1320, 480, 375, 255}, "PM", FontKind::Text, colors::kDarkGreen, &MainControls::internalPm),
  LayoutLabel("internalTime", "internalClockFrame", {240, 240, 1215, 495}, "HH : MM", FontKind::Clock, colors::kBrightGreen, &MainControls::internalTime),
  LayoutFrame("infoFrame", "", {120, 120, 4935, 855}, "HVA Information", &MainControls::infoFrameVisible),
  LayoutFrame("commandsFrame", "infoFrame", {1800, 120, 3015, 615}),
  LayoutLabel("logCommand", "commandsFrame", {240, 240, 375, 255}, "Log", FontKind::Link, colors::kBrightGreen),
  LayoutLabel("settingsCommand", "commandsFrame", {720, 240, 735, 255}, "Settings", FontKind::Link, colors::kBrightGreen),
  LayoutLabel("helpCommand", "commandsFrame", {1560, 240, 375, 255}, "Help", FontKind::Link, colors::kBrightGreen),
  LayoutLabel("programName", "infoFrame", {240, 240, 1575, 255}, "Horavia", FontKind::Text, colors::kMediumGreen),
  LayoutLabel("version", "infoFrame", {240, 480, 1575, 255}, "", FontKind::Text, colors::kMediumGreen, &MainControls::version),
  LayoutFrame("simClockFrame", "", {120, 1080, 4935, 855}, "MSFS Time"),
  LayoutFrame("simDateFrame", "simClockFrame", {1800, 120, 3015, 615}),
  LayoutLabel("simDate", "simDateFrame", {120, 240, 2775, 255}, "", FontKind::Text, colors::kYellow, &MainControls::simDate),
  LayoutLabel("simZulu", "simClockFrame", {120, 240, 135, 255}, "z", FontKind::Text, colors::kOlive, &MainControls::simZulu),
  LayoutLabel("simAm", "simClockFrame", {1320, 240, 375, 255}, "AM", FontKind::Text, colors::kOlive, &MainControls::simAm),
  LayoutLabel("simPm", "simClockFrame", {1320, 480, 375, 255}, "PM", FontKind::Text, colors::kOlive, &MainControls::simPm),
  LayoutLabel("simTime", "simClockFrame", {240, 240, 1215, 495}, "?? : ??", FontKind::Clock, colors::kYellow, &MainControls::simTime),
}};
// clang-format on

// The control of that name, if the layout has one.
const LayoutEntry* FindLayoutEntry(std::string_view name);

// The control's place in the client area, its parents' offsets added.
TwipsRect AbsoluteRect(const LayoutEntry& entry);

// Whether the control shows now: it and every frame around it visible.
bool IsShown(const LayoutEntry& entry, const MainControls& controls);

// What the control shows now: the model's state where it drives the
// control, else the design's.
struct ShownLabel {
  std::string_view caption;
  Rgb color;
};
ShownLabel LabelContent(const LayoutEntry& entry, const MainControls& controls);

}  // namespace horavia
