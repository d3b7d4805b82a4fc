#pragma once

#include <string>
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

// The visible state of the settings window's controls, as the window is
// designed; the renderer mirrors it after every handler.
struct SettingsControls {
  std::string caption = "Horavia Settings";

  CaptionState Frame1{"'Start' button hot key"};
  ComboBoxState cboStart;
  CheckBoxState chkStartCTRL{"CTRL"};
  CheckBoxState chkStartSHIFT{"SHIFT"};

  CaptionState Frame2{"'Start Loc' button hot key"};
  ComboBoxState cboStartLoc;
  CheckBoxState chkStartLocCTRL{"CTRL"};
  CheckBoxState chkStartLocSHIFT{"SHIFT"};

  CaptionState Frame4{"In flight status display hot key"};
  ComboBoxState cboStatus;
  CheckBoxState chkStatusCTRL{"CTRL"};
  CheckBoxState chkStatusSHIFT{"SHIFT"};

  CaptionState Frame3{"Sync interval (seconds)"};
  ComboBoxState cboSyncInterval;
  CaptionState cmdHelp1{"?"};

  CaptionState frmLogSecondMin{"Log entry minimum (seconds)"};
  ComboBoxState cboLogSecondMin;
  CaptionState cmdHelp2{"?"};

  CaptionState cmdOK{"&OK"};
  CaptionState cmdCancel{"&Cancel"};
};

}  // namespace horavia
