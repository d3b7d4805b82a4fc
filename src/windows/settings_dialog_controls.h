#pragma once

#include <string>
#include <utility>
#include <vector>

namespace horavia {

// A drop-down list the user picks from and cannot type into.
struct ComboBoxState {
  std::vector<std::string> items;
  int listIndex = -1;  // -1: nothing selected
  bool enabled = true;

  // The selected item's text, empty when nothing is selected.
  std::string Text() const {
    if (listIndex < 0 || listIndex >= static_cast<int>(items.size())) return {};
    return items[static_cast<size_t>(listIndex)];
  }
};

struct CheckBoxState {
  std::string caption;
  bool checked = false;
};

struct CaptionState {
  std::string caption;
};

// The three hot keys, each set in a group of its own.
enum class HotKeyGroup { Start = 0, StartLocal = 1, Status = 2 };

// One hot key's group: the key's list and its CTRL and SHIFT boxes.
struct HotKeyControls {
  explicit HotKeyControls(std::string caption) : group{std::move(caption)} {}

  CaptionState group;
  ComboBoxState keyList;
  CheckBoxState ctrlBox{"CTRL"};
  CheckBoxState shiftBox{"SHIFT"};
};

// The visible state of the settings window's controls, as the window is
// designed; the renderer mirrors it after every handler.
struct SettingsDialogControls {
  std::string caption = "Horavia Settings";

  HotKeyControls start{{"'Start' button hot key"}};
  HotKeyControls startLocal{{"'Start Loc' button hot key"}};
  HotKeyControls status{{"In flight status display hot key"}};

  CaptionState syncIntervalGroup{"Sync interval (seconds)"};
  ComboBoxState syncIntervalList;
  CaptionState syncIntervalHelpButton{"?"};

  CaptionState logMinimumGroup{"Log entry minimum (seconds)"};
  ComboBoxState logMinimumList;
  CaptionState logMinimumHelpButton{"?"};

  CaptionState okButton{"&OK"};
  CaptionState cancelButton{"&Cancel"};

  HotKeyControls& HotKeys(HotKeyGroup group) { return this->*GroupMember(group); }
  const HotKeyControls& HotKeys(HotKeyGroup group) const { return this->*GroupMember(group); }

 private:
  static HotKeyControls SettingsDialogControls::*GroupMember(HotKeyGroup group);
};

inline HotKeyControls SettingsDialogControls::*SettingsDialogControls::GroupMember(
    HotKeyGroup group) {
  switch (group) {
    case HotKeyGroup::StartLocal:
      return &SettingsDialogControls::startLocal;
    case HotKeyGroup::Status:
      return &SettingsDialogControls::status;
    case HotKeyGroup::Start:
      break;
  }
  return &SettingsDialogControls::start;
}

}  // namespace horavia
