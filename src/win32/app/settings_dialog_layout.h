#pragma once

#include <windows.h>

#include <array>

#include "windows/settings_dialog_model.h"
#include "windows/settings_dialog_controls.h"
#include "windows/main_layout.h"

namespace horavia::win32::settings_layout {

// The settings window's client area and controls as designed, in twips.
inline constexpr int kClientWidthTwips = 6255;
inline constexpr int kClientHeightTwips = 3015;

// The frames are painted by the window itself; they hold no focus, so they
// take no place in the tab order's windows.
struct Frame {
  TwipsRect rect;
  CaptionState SettingsControls::*caption;
};

enum Frames { kFrame1, kFrame2, kFrame4, kFrame3, kFrameLog, kNoFrame };

inline constexpr std::array<Frame, 5> kFrames{{
    {{120, 120, 3135, 855}, &SettingsControls::Frame1},
    {{120, 1080, 3135, 855}, &SettingsControls::Frame2},
    {{120, 2040, 3135, 855}, &SettingsControls::Frame4},
    {{3480, 120, 2655, 855}, &SettingsControls::Frame3},
    {{3480, 1080, 2655, 855}, &SettingsControls::frmLogSecondMin},
}};

enum class Kind { Button, DefaultButton, List, Check };
enum class Font { Text, Help };

// One control window, with the model's state it shows and the handler its
// event goes to.
struct Control {
  int id;
  Kind kind;
  int frame;        // one of Frames
  TwipsRect rect;   // relative to the frame
  Font font = Font::Text;
  CaptionState SettingsControls::*caption = nullptr;
  ComboBoxState SettingsControls::*list = nullptr;
  CheckBoxState SettingsControls::*box = nullptr;
  void (SettingsDialogModel::*click)() = nullptr;
  void (SettingsDialogModel::*pick)(int) = nullptr;
  void (SettingsDialogModel::*check)(bool) = nullptr;
};

constexpr Control Button(int id, Kind kind, int frame, TwipsRect rect, Font font,
                         CaptionState SettingsControls::*caption, void (SettingsDialogModel::*click)()) {
  return {id, kind, frame, rect, font, caption, nullptr, nullptr, click, nullptr, nullptr};
}
constexpr Control List(int id, int frame, ComboBoxState SettingsControls::*list,
                       void (SettingsDialogModel::*pick)(int)) {
  return {id,      Kind::List, frame,   {240, 360, 855, 330}, Font::Text, nullptr, list,
          nullptr, nullptr,    pick,    nullptr};
}
constexpr Control NumberList(int id, int frame, ComboBoxState SettingsControls::*list,
                             void (SettingsDialogModel::*pick)(int)) {
  Control c = List(id, frame, list, pick);
  c.rect.left = 600;
  return c;
}
constexpr Control Check(int id, int frame, int left, CheckBoxState SettingsControls::*box,
                        void (SettingsDialogModel::*check)(bool)) {
  return {id,  Kind::Check, frame,   {left, 360, 855, 375}, Font::Text, nullptr, nullptr,
          box, nullptr,     nullptr, check};
}

// In tab order from 0: the window creates them in this order.
// clang-format off
inline constexpr std::array<Control, 15> kControls{{
  Button(IDOK, Kind::DefaultButton, kNoFrame, {3480, 2520, 1215, 375}, Font::Text, &SettingsControls::cmdOK, &SettingsDialogModel::cmdOK_Click),
  Button(IDCANCEL, Kind::Button, kNoFrame, {4920, 2520, 1215, 375}, Font::Text, &SettingsControls::cmdCancel, &SettingsDialogModel::cmdCancel_Click),
  List(1001, kFrame1, &SettingsControls::cboStart, &SettingsDialogModel::cboStart_Click),
  Check(1002, kFrame1, 1320, &SettingsControls::chkStartCTRL, &SettingsDialogModel::chkStartCTRL_Click),
  Check(1003, kFrame1, 2160, &SettingsControls::chkStartSHIFT, &SettingsDialogModel::chkStartSHIFT_Click),
  List(1004, kFrame2, &SettingsControls::cboStartLoc, &SettingsDialogModel::cboStartLoc_Click),
  Check(1005, kFrame2, 1320, &SettingsControls::chkStartLocCTRL, &SettingsDialogModel::chkStartLocCTRL_Click),
  Check(1006, kFrame2, 2160, &SettingsControls::chkStartLocSHIFT, &SettingsDialogModel::chkStartLocSHIFT_Click),
  List(1007, kFrame4, &SettingsControls::cboStatus, &SettingsDialogModel::cboStatus_Click),
  Check(1008, kFrame4, 1320, &SettingsControls::chkStatusCTRL, &SettingsDialogModel::chkStatusCTRL_Click),
  Check(1009, kFrame4, 2160, &SettingsControls::chkStatusSHIFT, &SettingsDialogModel::chkStatusSHIFT_Click),
  NumberList(1010, kFrame3, &SettingsControls::cboSyncInterval, &SettingsDialogModel::cboSyncInterval_Click),
  Button(1011, Kind::Button, kFrame3, {1680, 360, 375, 330}, Font::Help, &SettingsControls::cmdHelp1, &SettingsDialogModel::cmdHelp1_Click),
  NumberList(1012, kFrameLog, &SettingsControls::cboLogSecondMin, &SettingsDialogModel::cboLogSecondMin_Click),
  Button(1013, Kind::Button, kFrameLog, {1680, 360, 375, 330}, Font::Help, &SettingsControls::cmdHelp2, &SettingsDialogModel::cmdHelp2_Click),
}};
// clang-format on

// The control's place in the client area.
constexpr TwipsRect ClientRect(const Control& control) {
  TwipsRect rect = control.rect;
  if (control.frame != kNoFrame) {
    rect.left += kFrames[static_cast<size_t>(control.frame)].rect.left;
    rect.top += kFrames[static_cast<size_t>(control.frame)].rect.top;
  }
  return rect;
}

}  // namespace horavia::win32::settings_layout
