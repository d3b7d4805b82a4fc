#pragma once

#include <chrono>
#include <cstdint>

#include "core/main_state.h"
#include "core/mod_main.h"
#include "core/window_timer.h"
#include "ui/main_controls.h"

namespace horavia {

// The main window's logic. It owns the run-time state and the visible state
// of its controls; the renderer mirrors the controls after every handler and
// forwards each control event to the method of the same name.
class frmMain {
 public:
  explicit frmMain(modMain& mod);
  frmMain(const frmMain&) = delete;
  frmMain& operator=(const frmMain&) = delete;

  // Start-up, run once when the window has been created.
  void Form_Load();
  // Shut-down, run once when the user closes the window; never refuses.
  void Form_Unload();

  // Connection bookkeeping; a failed quiet attempt makes no sound.
  void ConnectStep(bool quiet);
  // Sets one image button's enabled state and its grey, red or green face.
  void SetButtonFace(int index, bool enabled, bool on);
  // Refreshes the PC and internal clock parts and texts and their display.
  void ShowInternalClock();
  // Shows the simulator's time (local or Zulu, as the caller chose) with its
  // lamps, and its date or the chronometer line.
  void ShowSimClock(int32_t hour, int32_t minute, const std::chrono::year_month_day& date);
  // Appends the running ON period to the ChronoLog when it is long enough.
  void ChronoLogWriteEntry();

  MainState& State() { return state_; }
  const MainState& State() const { return state_; }
  const MainControls& Controls() const { return controls_; }
  WindowTimer& tmrSecond() { return tmrSecond_; }
  WindowTimer& tmrSync() { return tmrSync_; }
  modMain& Mod() { return mod_; }

 private:
  modMain& mod_;
  MainState state_;
  MainControls controls_;
  WindowTimer tmrSecond_;
  WindowTimer tmrSync_;
};

}  // namespace horavia
