#pragma once

#include <array>
#include <cstdint>

#include "ports/platform.h"
#include "settings/settings.h"
#include "windows/settings_dialog_controls.h"

namespace horavia {

// What the settings window needs of the main window: whether the
// timekeeper is ON (read when the window opens) and the sync timer's
// interval (read and set when OK is pressed, since the main window's timers
// keep running while this window is open). Setting the interval starts the
// timer's period afresh.
class SyncIntervalHost {
 public:
  SyncIntervalHost() = default;
  SyncIntervalHost(const SyncIntervalHost&) = delete;
  SyncIntervalHost& operator=(const SyncIntervalHost&) = delete;
  virtual ~SyncIntervalHost() = default;

  virtual bool TimekeeperOn() const = 0;
  virtual int32_t SyncIntervalMs() const = 0;
  virtual void SetSyncIntervalMs(int32_t intervalMs) = 0;
};

// The settings window's logic: built fresh at every opening, it edits the
// settings record in memory and gives the main window's sync timer a changed
// interval at once. The renderer forwards each control event to its method
// and closes the window once Closed() is true.
class SettingsDialogModel {
 public:
  SettingsDialogModel(Settings& settings, SyncIntervalHost& host, Platform& os);
  SettingsDialogModel(const SettingsDialogModel&) = delete;
  SettingsDialogModel& operator=(const SettingsDialogModel&) = delete;

  // Fills the lists and boxes from the settings as they are now.
  void Open();

  // Stores the values (the sync interval also in the running timer) and
  // closes, with the button sound.
  void Ok();
  // Also Esc: closes with the button sound and stores nothing.
  void Cancel();
  // The title bar's close box: closes without a sound and stores nothing.
  void CloseFromTitleBar();
  // The two "?" buttons: a box that explains the value.
  void ShowSyncIntervalHelp();
  void ShowLogMinimumHelp();

  // The user's picks: an item of a list, a check box's new state.
  void SelectHotKey(HotKeyGroup group, int listIndex);
  void CheckCtrl(HotKeyGroup group, bool checked);
  void CheckShift(HotKeyGroup group, bool checked);
  void SelectSyncInterval(int listIndex);
  void SelectLogMinimum(int listIndex);

  // Help boxes go here instead of the platform's, so that the renderer can
  // give them the dialog as their owner.
  void UseMessageBoxes(MessageBoxes& boxes) { boxes_ = &boxes; }

  const SettingsDialogControls& Controls() const { return controls_; }
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
  void CheckModifier(HotKeyGroup group, CheckBoxState HotKeyControls::*box, bool checked);
  void SelectNumber(ComboBoxState& list, int listIndex);
  GroupMemo& MemoOf(HotKeyGroup group) { return memo_[static_cast<size_t>(group)]; }

  Settings& settings_;
  SyncIntervalHost& host_;
  Platform& os_;
  MessageBoxes* boxes_;
  SettingsDialogControls controls_;
  std::array<GroupMemo, 3> memo_{};
  bool closed_ = false;
  bool stored_ = false;
};

}  // namespace horavia
