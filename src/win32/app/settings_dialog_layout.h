#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "windows/main_layout.h"
#include "windows/settings_dialog_controls.h"

namespace horavia::win32::settings_layout {

// The settings window's client area and controls as designed, in twips.
inline constexpr int kClientWidthTwips = 6255;
inline constexpr int kClientHeightTwips = 3015;

// The five groups: the three hot keys, the sync interval and the log
// minimum. The first three are in the order of HotKeyGroup.
enum class Group { Start, StartLocal, Status, SyncInterval, LogMinimum, None };

// A group's frame is painted by the window itself; it holds no focus, so it
// takes no place in the tab order's windows.
struct GroupBox {
  Group group;
  TwipsRect rect;
};

inline constexpr std::array<GroupBox, 5> kGroupBoxes{{
    {Group::Start, {120, 120, 3135, 855}},
    {Group::StartLocal, {120, 1080, 3135, 855}},
    {Group::Status, {120, 2040, 3135, 855}},
    {Group::SyncInterval, {3480, 120, 2655, 855}},
    {Group::LogMinimum, {3480, 1080, 2655, 855}},
}};

// What a control is for; its kind of window, its font, what it shows and
// which of the model's actions it calls follow from that.
enum class Role {
  Ok,
  Cancel,
  KeyList,
  CtrlBox,
  ShiftBox,
  SyncIntervalList,
  SyncIntervalHelp,
  LogMinimumList,
  LogMinimumHelp,
};

struct Control {
  int id;
  Role role;
  Group group;
  TwipsRect rect;  // relative to the group's frame
};

inline constexpr TwipsRect kKeyList{240, 360, 855, 330};
inline constexpr TwipsRect kCtrlBox{1320, 360, 855, 375};
inline constexpr TwipsRect kShiftBox{2160, 360, 855, 375};
inline constexpr TwipsRect kNumberList{600, 360, 855, 330};
inline constexpr TwipsRect kHelpButton{1680, 360, 375, 330};

// In tab order from 0: the window creates them in this order.
// clang-format off
inline constexpr std::array<Control, 15> kControls{{
  {IDOK, Role::Ok, Group::None, {3480, 2520, 1215, 375}},
  {IDCANCEL, Role::Cancel, Group::None, {4920, 2520, 1215, 375}},
  {1001, Role::KeyList, Group::Start, kKeyList},
  {1002, Role::CtrlBox, Group::Start, kCtrlBox},
  {1003, Role::ShiftBox, Group::Start, kShiftBox},
  {1004, Role::KeyList, Group::StartLocal, kKeyList},
  {1005, Role::CtrlBox, Group::StartLocal, kCtrlBox},
  {1006, Role::ShiftBox, Group::StartLocal, kShiftBox},
  {1007, Role::KeyList, Group::Status, kKeyList},
  {1008, Role::CtrlBox, Group::Status, kCtrlBox},
  {1009, Role::ShiftBox, Group::Status, kShiftBox},
  {1010, Role::SyncIntervalList, Group::SyncInterval, kNumberList},
  {1011, Role::SyncIntervalHelp, Group::SyncInterval, kHelpButton},
  {1012, Role::LogMinimumList, Group::LogMinimum, kNumberList},
  {1013, Role::LogMinimumHelp, Group::LogMinimum, kHelpButton},
}};
// clang-format on

enum class Kind { Button, DefaultButton, List, Check };
Kind KindOf(Role role);
// The "?" buttons have a larger font than the other controls.
bool HasHelpFont(Role role);

// The control's place in the client area.
TwipsRect ClientRect(const Control& control);

// A hot-key group's place among the model's groups.
HotKeyGroup HotKeyGroupOf(Group group);

// What the model holds for a control: its caption, its list or its box
// (null where the control has none), and a group's caption.
std::string CaptionOf(const SettingsDialogControls& controls, const Control& control);
const ComboBoxState* ListOf(const SettingsDialogControls& controls, const Control& control);
const CheckBoxState* BoxOf(const SettingsDialogControls& controls, const Control& control);
std::string GroupCaption(const SettingsDialogControls& controls, Group group);

}  // namespace horavia::win32::settings_layout
