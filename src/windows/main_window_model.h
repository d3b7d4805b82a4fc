#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "windows/main_state.h"
#include "windows/process_context.h"
#include "windows/window_timer.h"
#include "windows/main_controls.h"

namespace horavia {

// How the timekeeper is switched ON: from the PC's clock (button 0, which
// first sets the simulator's clock) or from the simulator's local time
// (button 1).
enum class StartMode { SystemTime, SimulatorTime };

// The main window's logic. It owns the run-time state and the visible state
// of its controls; the renderer mirrors the controls after every handler and
// forwards each control event to the method of the same name.
class MainWindowModel {
 public:
  explicit MainWindowModel(ProcessContext& context);
  MainWindowModel(const MainWindowModel&) = delete;
  MainWindowModel& operator=(const MainWindowModel&) = delete;

  // Start-up, run once when the window has been created.
  void Start();
  // Shut-down, run once when the user closes the window; never refuses.
  // A log that cannot be written is offered another try in a box.
  void Shutdown();
  // The shut-down when Windows ends the session (sign-out, restart, power
  // off): the same steps without any box, since a box would hold Windows
  // up. What cannot be written is left as it is on disk.
  void EndSession();

  // The two timers' handlers.
  void OnHalfSecondTick();
  void OnSyncTick();
  // The click of one of the six image buttons, by mouse or hot key.
  void Press(MainButton button);
  // The three text commands of the information frame. Each plays the button
  // sound; "Help" also opens the help page, and the renderer opens the
  // ChronoLog or settings window after the other two.
  void OpenHelp();
  void OpenLog();
  void OpenSettings();

  // One read of the simulator's clock; while ON it also keeps the simulator
  // on the internal clock.
  void SyncCycle();
  // Adds the sync interval to the ground or flight chronometer while ON.
  void ChronometerStep();
  // The timekeeper's transitions.
  void SwitchOn(StartMode mode);
  void SwitchOff();
  // Connection bookkeeping; a failed quiet attempt makes no sound.
  void ConnectStep(bool quiet);
  void MarkConnected();
  void MarkNotConnected();
  // The one-line status shown inside the simulator for five seconds.
  void ShowStatusText();
  void SendSimText(const std::string& text);
  // Sets one image button's enabled state and its grey, red or green face.
  void SetButtonFace(int index, bool enabled, bool on);
  // Refreshes the PC and internal clock parts and texts and their display.
  void ShowInternalClock();
  // Shows the simulator's time (local or Zulu, as the caller chose) with its
  // lamps, and its date or the chronometer line.
  void ShowSimClock(int32_t hour, int32_t minute, const std::chrono::year_month_day& date);
  // How a log that cannot be written is told.
  enum class LogFailureNotice {
    Tell,        // a box says which flights are kept for later (a switch-OFF)
    OfferRetry,  // a box offers another try (shut-down)
    Silent,      // nothing (the end of the Windows session)
  };
  // Keeps the ON period held in the chronometers as a pending entry when
  // its total is above the log minimum; the total starts again from 0.
  void TakeOnPeriod();
  // Writes the pending entries to the log, oldest first; those that cannot
  // be written are kept for the next switch-OFF or the shut-down.
  void WritePendingEntries(LogFailureNotice notice);

  MainState& State() { return state_; }
  const MainState& State() const { return state_; }
  const MainControls& Controls() const { return controls_; }
  WindowTimer& HalfSecondTimer() { return halfSecondTimer_; }
  WindowTimer& SyncTimer() { return syncTimer_; }
  ProcessContext& Context() { return context_; }

 private:
  // Marks the window busy for one handler. A handler of this window never
  // runs inside another one: a message box opened half-way through a
  // handler keeps delivering timer ticks, and a tick that arrives then is
  // skipped (the next one does its work). Each handler starts with a link
  // that may be tried again.
  class HandlerScope {
   public:
    explicit HandlerScope(MainWindowModel& form);
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
    bool Entered() const { return entered_; }

   private:
    MainWindowModel& form_;
    bool entered_;
  };

  // Sends what was queued. Once an exchange of this handler has failed, the
  // simulator is not asked again until the next handler: every further try
  // would hold the window through another round of time-outs.
  bool Exchange();
  void ShutDown(LogFailureNotice notice);
  // Whether a modifier code's combination of CTRL and SHIFT is down now.
  bool ModifiersHold(int32_t modifierCode);
  // Checks one hot key; a key whose button is grey is not even read.
  bool HotKeyPressed(int32_t keyCode, int32_t modifierCode);
  void SetSimClockScheme(bool on);
  // What a click on image button `index` does, inside a running handler.
  void RunButton(int index);
  // Queue the simulator's local time of day (with `second`) and the Zulu
  // hour and minute that go with it under the current Zulu offset; or the
  // Zulu date.
  void QueueTimeWrite(const ClockParts& local, int32_t second, bool fromStart);
  void QueueDateWrite(const ClockParts& local);
  // Exchange() for a queued clock write.
  bool ExchangeClockWrite();
  // What the read after a write tells of how the simulator takes seconds.
  void LearnFromReadBack(int32_t hour, int32_t minute, int32_t second);
  // The read back after a write, and the sync sound; false when the
  // simulator was gone.
  bool ReadBackAfterWrite();
  // The correction due at the next full minute, once it has come.
  void WriteClockAtMinute();
  bool AtFullMinute(const ClockParts& internal) const;
  // For a simulator that zeroes seconds: the write at a full minute, else
  // marked due.
  void QueueZeroedSecondsCorrection();

  ProcessContext& context_;
  MainState state_;
  MainControls controls_;
  WindowTimer halfSecondTimer_;
  WindowTimer syncTimer_;
  // A settings file was there at start-up but could not be read, so the
  // shut-down must not replace it with this run's defaults.
  bool settingsUnread_ = false;
  bool inHandler_ = false;
  bool exchangeFailed_ = false;
  bool shutDown_ = false;
  bool atFullMinute_ = false;  // the sync cycle run by the full minute's tick
};

}  // namespace horavia
