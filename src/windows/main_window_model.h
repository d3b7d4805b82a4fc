#pragma once

#include <string>

#include "timekeeping/flight_log.h"
#include "timekeeping/simulator.h"
#include "timekeeping/timekeeper.h"
#include "windows/main_controls.h"
#include "windows/main_view.h"
#include "windows/process_context.h"
#include "windows/start_options.h"
#include "windows/window_timer.h"

namespace horavia {

// The main window's logic: one method per event (start-up, shut-down, the
// two timers' ticks, the six image buttons, the three text commands). It
// drives the timekeeper, the simulator and the log, and keeps the visible
// state of the window's controls, which the renderer mirrors after every
// handler.
class MainWindowModel {
 public:
  explicit MainWindowModel(ProcessContext& context);
  MainWindowModel(const MainWindowModel&) = delete;
  MainWindowModel& operator=(const MainWindowModel&) = delete;

  // Start-up, run once when the window has been created, with what the
  // command line asked: words that are no option are told in one box first.
  void Start(const StartOptions& options = {});
  // Shut-down, run once when the user closes the window; never refuses.
  // A log that cannot be written is offered another try in a box.
  void Shutdown();
  // The shut-down when Windows ends the session (sign-out, restart, power
  // off): the same steps without any box, since a box would hold Windows
  // up. What cannot be written is left as it is on disk.
  void EndSession();

  // The half-second tick: a quiet reconnect while the simulator is away,
  // else the hot keys (and a clock write due at a full minute).
  void OnHalfSecondTick();
  // The sync tick: the chronometers, then the sync cycle.
  void OnSyncTick();
  // A click on one of the six image buttons, by mouse (a grey button takes
  // none) or hot key.
  void Press(MainButton button);
  // The three text commands of the information frame. Each plays the button
  // sound; "Help" also opens the help page, and the renderer opens the log
  // or settings window after the other two.
  void OpenHelp();
  void OpenLog();
  void OpenSettings();

  const MainControls& Controls() const { return controls_; }
  bool Connected() const { return connected_; }
  const Timekeeper& Timekeeping() const { return timekeeper_; }
  const Simulator& SimulatorLink() const { return simulator_; }
  const FlightLog& Log() const { return flightLog_; }
  const DisplayToggles& Toggles() const { return toggles_; }
  const std::string& SimClockText() const { return simClockText_; }
  WindowTimer& HalfSecondTimer() { return halfSecondTimer_; }
  WindowTimer& SyncTimer() { return syncTimer_; }
  ProcessContext& Context() { return context_; }

 private:
  // Marks the window busy for one handler. A handler of this window never
  // runs inside another one: a message box opened half-way through a
  // handler keeps delivering timer ticks, and a tick that arrives then is
  // skipped (the next one does its work). Each handler may ask the
  // simulator again.
  class HandlerScope {
   public:
    explicit HandlerScope(MainWindowModel& model);
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
    bool Entered() const { return entered_; }

   private:
    MainWindowModel& model_;
    bool entered_;
  };

  enum class CycleKind {
    Keep,         // while ON, keep the simulator on the internal clock
    DisplayOnly,  // only read and show it (a display command)
    ReadBack,     // the same, right after a correction: did the simulator take it?
    AtFullMinute  // Keep, run by the tick at the internal clock's full minute
  };

  void ShutDown(LogFailureNotice notice);
  void RunButton(MainButton button);
  void ToggleDisplay(MainButton button, bool turnOn);
  void ToggleInfoFrame(bool show);

  // The sync cycle: refreshes the clocks, reads the simulator's clock, keeps
  // it on the internal clock where `kind` says so, and shows it.
  void SyncCycle(CycleKind kind);
  std::optional<SimClockReading> ReadSimClock();
  // False when the read-back after a correction found the simulator gone.
  bool KeepOnInternalClock(const SimClockReading& reading, CycleKind kind, int32_t& shownHour,
                           int32_t& shownMinute);
  void ChronometerStep();
  void WriteClockAtFullMinute();
  void RefreshClocks();
  // The internal clock's frame from the timekeeper's last refresh.
  void ShowLastRefresh();

  void SwitchOn(StartMode mode);
  bool SetSimulatorFromPcClock();
  void SwitchOff();
  void LogFinishedPeriod(bool attempt, LogFailureNotice notice);
  void ConnectStep(bool quiet);
  void MarkConnected();
  void MarkNotConnected();
  // The switch-ON the command line asked for, at the first connection that
  // allows it.
  void SwitchOnAsAsked();
  void ShowStatusLine();
  void PollHotKeys();

  ProcessContext& context_;
  Timekeeper timekeeper_;
  Simulator simulator_;
  FlightLog flightLog_;
  MainControls controls_;
  DisplayToggles toggles_;
  std::string simClockText_;
  WindowTimer halfSecondTimer_;
  WindowTimer syncTimer_;
  bool connected_ = false;
  // A settings file was there at start-up but could not be read, so the
  // shut-down must not replace it with this run's defaults.
  bool settingsUnread_ = false;
  bool inHandler_ = false;
  bool shutDown_ = false;
  std::optional<StartMode> switchOnWhenConnected_;
};

}  // namespace horavia
