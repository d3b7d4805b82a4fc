#pragma once

#include <array>
#include <string_view>

#include "windows/log_window_controls.h"
#include "windows/colors.h"

namespace horavia::win32::chronolog_layout {

// The ChronoLog window as designed, in pixels at 96 DPI, scaled to the
// window's DPI when it is built. Places inside a frame are given as the
// design gives them, relative to the frame, and turned into client
// coordinates here.
struct PixelRect {
  int left;
  int top;
  int width;
  int height;
};

constexpr PixelRect Inside(PixelRect frame, PixelRect place) {
  return {frame.left + place.left, frame.top + place.top, place.width, place.height};
}

inline constexpr int kClientWidth = 338;
inline constexpr int kClientHeight = 289;

inline constexpr PixelRect kEntriesFrame{8, 8, 321, 153};
inline constexpr PixelRect kTotalsFrame{8, 168, 321, 81};
inline constexpr PixelRect kEntryFlightFrame = Inside(kEntriesFrame, {8, 56, 97, 41});
inline constexpr PixelRect kEntryGroundFrame = Inside(kEntriesFrame, {112, 56, 97, 41});
inline constexpr PixelRect kEntryTotalFrame = Inside(kEntriesFrame, {216, 56, 97, 41});
inline constexpr PixelRect kLogFlightFrame = Inside(kTotalsFrame, {8, 24, 97, 41});
inline constexpr PixelRect kLogGroundFrame = Inside(kTotalsFrame, {112, 24, 97, 41});
inline constexpr PixelRect kLogTotalFrame = Inside(kTotalsFrame, {216, 24, 97, 41});
inline constexpr PixelRect kTimeInFrame{16, 16, 73, 17};

// Painted by the window itself, outer frames first; they take no focus.
struct Frame {
  PixelRect rect;
  std::wstring_view caption;
  bool outer;  // dark grey; the small frames are dark green
};

inline constexpr std::array<Frame, 8> kFrames{{
    {kEntriesFrame, L"Log Entries", true},
    {kTotalsFrame, L"Log Totals", true},
    {kEntryFlightFrame, L"Flight Time", false},
    {kEntryGroundFrame, L"Ground Time", false},
    {kEntryTotalFrame, L"Total Time", false},
    {kLogFlightFrame, L"Flight Time", false},
    {kLogGroundFrame, L"Ground Time", false},
    {kLogTotalFrame, L"Total Time", false},
}};

inline constexpr PixelRect kList = Inside(kEntriesFrame, {8, 24, 305, 22});
inline constexpr PixelRect kNoteLabel = Inside(kEntriesFrame, {8, 104, 73, 17});
inline constexpr PixelRect kNote = Inside(kEntriesFrame, {8, 120, 305, 22});
inline constexpr PixelRect kDeleteEntry{8, 256, 81, 25};
inline constexpr PixelRect kDeleteLog{104, 256, 81, 25};
inline constexpr PixelRect kExit{248, 256, 81, 25};

// The six time labels and the model's text each shows.
struct TimeLabel {
  PixelRect rect;
  std::string LogWindowControls::*text;
};

inline constexpr std::array<TimeLabel, 6> kTimeLabels{{
    {Inside(kEntryFlightFrame, kTimeInFrame), &LogWindowControls::lblDateAir},
    {Inside(kEntryGroundFrame, kTimeInFrame), &LogWindowControls::lblDateGround},
    {Inside(kEntryTotalFrame, kTimeInFrame), &LogWindowControls::lblDateTotal},
    {Inside(kLogFlightFrame, kTimeInFrame), &LogWindowControls::lblTotalAir},
    {Inside(kLogGroundFrame, kTimeInFrame), &LogWindowControls::lblTotalGround},
    {Inside(kLogTotalFrame, kTimeInFrame), &LogWindowControls::lblTotalTotal},
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

}  // namespace horavia::win32::chronolog_layout
