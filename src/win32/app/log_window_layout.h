#pragma once

#include <array>
#include <string>
#include <string_view>

#include "windows/colors.h"
#include "windows/log_window_controls.h"
#include "windows/main_layout.h"

namespace horavia::win32::log_layout {

// The ChronoLog window as designed, in twips, scaled to the window's DPI
// when it is built. Places inside a frame are given relative to the frame,
// as the design gives them, and turned into client coordinates here.
constexpr TwipsRect Inside(TwipsRect frame, TwipsRect place) {
  return {frame.left + place.left, frame.top + place.top, place.width, place.height};
}

inline constexpr int kClientWidthTwips = 5070;
inline constexpr int kClientHeightTwips = 4335;

inline constexpr TwipsRect kEntriesFrame{120, 120, 4815, 2295};
inline constexpr TwipsRect kTotalsFrame{120, 2520, 4815, 1215};
inline constexpr TwipsRect kEntryFlightFrame = Inside(kEntriesFrame, {120, 840, 1455, 615});
inline constexpr TwipsRect kEntryGroundFrame = Inside(kEntriesFrame, {1680, 840, 1455, 615});
inline constexpr TwipsRect kEntryTotalFrame = Inside(kEntriesFrame, {3240, 840, 1455, 615});
inline constexpr TwipsRect kTotalFlightFrame = Inside(kTotalsFrame, {120, 360, 1455, 615});
inline constexpr TwipsRect kTotalGroundFrame = Inside(kTotalsFrame, {1680, 360, 1455, 615});
inline constexpr TwipsRect kTotalTotalFrame = Inside(kTotalsFrame, {3240, 360, 1455, 615});
inline constexpr TwipsRect kTimeInFrame{240, 240, 1095, 255};

// Painted by the window itself, outer frames first; they take no focus.
struct Frame {
  TwipsRect rect;
  std::wstring_view caption;
  bool outer;  // dark grey; the small frames are dark green
};

inline constexpr std::array<Frame, 8> kFrames{{
    {kEntriesFrame, L"Log Entries", true},
    {kTotalsFrame, L"Log Totals", true},
    {kEntryFlightFrame, L"Flight Time", false},
    {kEntryGroundFrame, L"Ground Time", false},
    {kEntryTotalFrame, L"Total Time", false},
    {kTotalFlightFrame, L"Flight Time", false},
    {kTotalGroundFrame, L"Ground Time", false},
    {kTotalTotalFrame, L"Total Time", false},
}};

inline constexpr TwipsRect kEntryList = Inside(kEntriesFrame, {120, 360, 4575, 330});
inline constexpr TwipsRect kNoteLabel = Inside(kEntriesFrame, {120, 1560, 1095, 255});
inline constexpr TwipsRect kNote = Inside(kEntriesFrame, {120, 1800, 4575, 330});
inline constexpr TwipsRect kDeleteEntryButton{120, 3840, 1215, 375};
inline constexpr TwipsRect kClearLogButton{1560, 3840, 1215, 375};
inline constexpr TwipsRect kExitButton{3720, 3840, 1215, 375};

// The height of one item of the dropped entry list, and how far a frame's
// caption and an item's text stand in from the left.
inline constexpr int kListItemTwips = 240;
inline constexpr int kCaptionInsetTwips = 90;
inline constexpr int kItemTextInsetTwips = 30;

// The six time labels and the model's text each shows.
struct TimeLabel {
  TwipsRect rect;
  std::string LogWindowControls::*text;
};

inline constexpr std::array<TimeLabel, 6> kTimeLabels{{
    {Inside(kEntryFlightFrame, kTimeInFrame), &LogWindowControls::entryFlight},
    {Inside(kEntryGroundFrame, kTimeInFrame), &LogWindowControls::entryGround},
    {Inside(kEntryTotalFrame, kTimeInFrame), &LogWindowControls::entryTotal},
    {Inside(kTotalFlightFrame, kTimeInFrame), &LogWindowControls::totalFlight},
    {Inside(kTotalGroundFrame, kTimeInFrame), &LogWindowControls::totalGround},
    {Inside(kTotalTotalFrame, kTimeInFrame), &LogWindowControls::totalTotal},
}};

inline constexpr Rgb kBackground = colors::kWindowGrey;
inline constexpr Rgb kOuterFrame{64, 64, 64};  // also the "Note:" label
inline constexpr Rgb kInnerFrame = colors::kFrameGreen;
inline constexpr Rgb kCaption = colors::kWhite;
// The time labels, the list and the note box: bright green on dark green.
inline constexpr Rgb kFieldText = colors::kBrightGreen;
inline constexpr Rgb kFieldBack = colors::kFrameGreen;

// Font sizes in hundredths of a point, Arial bold.
inline constexpr int kTimeFontSize = 900;
inline constexpr int kTextFontSize = 825;

}  // namespace horavia::win32::log_layout
