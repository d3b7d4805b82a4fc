#include "win32/app/settings_dialog_layout.h"

namespace horavia::win32::settings_layout {

Kind KindOf(Role role) {
  switch (role) {
    case Role::Ok:
      return Kind::DefaultButton;
    case Role::KeyList:
    case Role::SyncIntervalList:
    case Role::LogMinimumList:
      return Kind::List;
    case Role::CtrlBox:
    case Role::ShiftBox:
      return Kind::Check;
    case Role::Cancel:
    case Role::SyncIntervalHelp:
    case Role::LogMinimumHelp:
      break;
  }
  return Kind::Button;
}

bool HasHelpFont(Role role) {
  return role == Role::SyncIntervalHelp || role == Role::LogMinimumHelp;
}

TwipsRect ClientRect(const Control& control) {
  TwipsRect rect = control.rect;
  for (const GroupBox& box : kGroupBoxes) {
    if (box.group != control.group) continue;
    rect.left += box.rect.left;
    rect.top += box.rect.top;
  }
  return rect;
}

HotKeyGroup HotKeyGroupOf(Group group) {
  switch (group) {
    case Group::StartLocal:
      return HotKeyGroup::StartLocal;
    case Group::Status:
      return HotKeyGroup::Status;
    default:
      return HotKeyGroup::Start;
  }
}

std::string CaptionOf(const SettingsDialogControls& controls, const Control& control) {
  switch (control.role) {
    case Role::Ok:
      return controls.okButton.caption;
    case Role::Cancel:
      return controls.cancelButton.caption;
    case Role::SyncIntervalHelp:
      return controls.syncIntervalHelpButton.caption;
    case Role::LogMinimumHelp:
      return controls.logMinimumHelpButton.caption;
    default:
      break;
  }
  const CheckBoxState* box = BoxOf(controls, control);
  return box != nullptr ? box->caption : std::string{};
}

const ComboBoxState* ListOf(const SettingsDialogControls& controls, const Control& control) {
  switch (control.role) {
    case Role::KeyList:
      return &controls.HotKeys(HotKeyGroupOf(control.group)).keyList;
    case Role::SyncIntervalList:
      return &controls.syncIntervalList;
    case Role::LogMinimumList:
      return &controls.logMinimumList;
    default:
      return nullptr;
  }
}

const CheckBoxState* BoxOf(const SettingsDialogControls& controls, const Control& control) {
  switch (control.role) {
    case Role::CtrlBox:
      return &controls.HotKeys(HotKeyGroupOf(control.group)).ctrlBox;
    case Role::ShiftBox:
      return &controls.HotKeys(HotKeyGroupOf(control.group)).shiftBox;
    default:
      return nullptr;
  }
}

std::string GroupCaption(const SettingsDialogControls& controls, Group group) {
  switch (group) {
    case Group::SyncInterval:
      return controls.syncIntervalGroup.caption;
    case Group::LogMinimum:
      return controls.logMinimumGroup.caption;
    case Group::None:
      return {};
    default:
      return controls.HotKeys(HotKeyGroupOf(group)).group.caption;
  }
}

}  // namespace horavia::win32::settings_layout
