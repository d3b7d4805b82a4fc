#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "windows/window_timer.h"
#include "ports/platform.h"
#include "settings/settings.h"
#include "windows/settings_dialog_controls.h"

namespace horavia {

enum class HotKeyGroup { Start = 0, StartLoc = 1, Status = 2 };

// The settings window's logic: built fresh at every opening, it edits the
// settings record in memory and gives the main window's sync timer a changed
// interval at once. The renderer forwards each control event to the method
// of the same name and closes the window once Closed() is true.
class SettingsDialogModel {
 public:
  // `timekeeperOn` is the main window's ON state; it is read when the window
  // opens. The sync timer's interval is read when OK is pressed, since the
  // main window's timers keep running while this window is open.
  SettingsDialogModel(Settings& settings, WindowTimer& syncTimer, const bool& timekeeperOn, Platform& os);
  SettingsDialogModel(const SettingsDialogModel&) = delete;
  SettingsDialogModel& operator=(const SettingsDialogModel&) = delete;

  // Fills the lists and boxes from the settings as they are now.
  void Form_Load();

  void cmdOK_Click();
  // Also Esc.
  void cmdCancel_Click();
  // The title bar's close box: closes without a sound and stores nothing.
  void Form_QueryUnload();
  void cmdHelp1_Click();
  void cmdHelp2_Click();

  void cboStart_Click(int listIndex);
  void chkStartCTRL_Click(bool checked);
  void chkStartSHIFT_Click(bool checked);
  void cboStartLoc_Click(int listIndex);
  void chkStartLocCTRL_Click(bool checked);
  void chkStartLocSHIFT_Click(bool checked);
  void cboStatus_Click(int listIndex);
  void chkStatusCTRL_Click(bool checked);
  void chkStatusSHIFT_Click(bool checked);
  void cboSyncInterval_Click(int listIndex);
  void cboLogSecondMin_Click(int listIndex);

  // Help boxes go here instead of the platform's, so that the renderer can
  // give them the dialog as their owner.
  void UseMessageBoxes(MessageBoxes& boxes) { boxes_ = &boxes; }

  const SettingsControls& Controls() const { return controls_; }
  bool Closed() const { return closed_; }
  // Whether OK stored the values.
  bool Stored() const { return stored_; }

 private:
  // What a hot-key group held when the window opened, so that a value no
  // list item can show survives an OK that did not touch its group.
  struct GroupMemo {
    int32_t keyAtOpen = 0;
    int32_t modifiersAtOpen = 0;
    bool touched = false;
  };

  void FillGroup(HotKeyGroup group);
  void StoreGroup(HotKeyGroup group);
  void PickHotKey(HotKeyGroup group, int listIndex);
  void CheckModifier(HotKeyGroup group, bool ctrl, bool checked);
  void PickNumber(ComboBoxState& list, int listIndex);
  void Close();

  Settings& settings_;
  WindowTimer& syncTimer_;
  const bool& timekeeperOn_;
  Platform& os_;
  MessageBoxes* boxes_;
  SettingsControls controls_;
  std::array<GroupMemo, 3> memo_{};
  bool closed_ = false;
  bool stored_ = false;
};

}  // namespace horavia
