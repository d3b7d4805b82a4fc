#pragma once

#include <cstdint>

#include "windows/main_window_model.h"
#include "windows/settings_dialog_model.h"

namespace horavia::win32 {

// The settings window's view of the main window: its ON state and its
// sync timer, taken from the main window's model.
class MainSyncIntervalHost final : public SyncIntervalHost {
 public:
  explicit MainSyncIntervalHost(MainWindowModel& model) : model_(model) {}

  bool TimekeeperOn() const override { return model_.Timekeeping().On(); }
  int32_t SyncIntervalMs() const override { return model_.SyncTimer().Interval(); }
  void SetSyncIntervalMs(int32_t intervalMs) override {
    model_.SyncTimer().SetInterval(intervalMs);
  }

 private:
  MainWindowModel& model_;
};

}  // namespace horavia::win32
