// The two timers' work: the connection to the simulator, the sync cycle
// that keeps the simulator's clock on the internal clock, the chronometers,
// and the hot keys.

#include "base/calendar.h"
#include "timekeeping/status_line.h"
#include "timekeeping/sync_rules.h"
#include "windows/hot_keys.h"
#include "windows/main_window_model.h"
#include "windows/not_connected_reason.h"
#include "windows/sounds.h"

namespace horavia {

void MainWindowModel::OnSyncTick() {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  ChronometerStep();
  SyncCycle(CycleKind::Keep);
}

void MainWindowModel::OnHalfSecondTick() {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  if (!connected_) {
    ConnectStep(true);
    return;
  }
  WriteClockAtFullMinute();
  PollHotKeys();
}

// The chronometers count the interval in force; a step whose exchange fails
// changes nothing, and the sync cycle that follows finds the failure.
void MainWindowModel::ChronometerStep() {
  if (!timekeeper_.On()) return;
  const std::optional<AircraftFlags> flags = simulator_.ReadFlags();
  if (flags) timekeeper_.CountInterval(*flags, IntervalSeconds(syncTimer_.Interval()));
}

void MainWindowModel::SyncCycle(CycleKind kind) {
  RefreshClocks();
  if (!connected_) return;
  const std::optional<SimClockReading> reading = ReadSimClock();
  if (!reading) return;
  ShowSimulationRate(controls_, timekeeper_.On(), *reading, context_.os.regional);
  // The keeping below shows the internal clock as it leaves it.
  const bool keeping =
      timekeeper_.On() && (kind == CycleKind::Keep || kind == CycleKind::AtFullMinute);
  if (!keeping) ShowLastRefresh();
  if (toggles_.showZulu) {
    simClockText_ = ShowSimClock(controls_, reading->zuluHour, reading->zuluMinute,
                                 reading->ZuluDate(), toggles_, timekeeper_.On(), timekeeper_.Counted(),
                                 context_.os.regional);
  }
  // After a correction the hour and minute shown are the ones written.
  int32_t hour = reading->localHour;
  int32_t minute = reading->localMinute;
  if (timekeeper_.On() && kind == CycleKind::ReadBack) timekeeper_.ReadBack(*reading);
  if (keeping && !KeepOnInternalClock(*reading, kind, hour, minute)) return;
  if (!toggles_.showZulu) {
    simClockText_ = ShowSimClock(controls_, hour, minute, DateOf(reading->Local()), toggles_,
                                 timekeeper_.On(), timekeeper_.Counted(), context_.os.regional);
  }
}

// A failed read means the simulator has gone: the warning, and the window
// shows it not connected.
std::optional<SimClockReading> MainWindowModel::ReadSimClock() {
  const std::optional<SimClockReading> reading = simulator_.ReadClock();
  if (!reading) {
    PlayWav(context_.os, kSoundWarning);
    MarkNotConnected();
    return std::nullopt;
  }
  // The simulator may answer only after time-outs and retries: its time is
  // compared with the PC clock of its answer, or the wait would count as
  // drift (and be written into it) or go into the internal clock offset.
  // The caller shows the clocks once they are final.
  timekeeper_.Refresh();
  timekeeper_.SetZuluOffset(reading->ZuluOffset());
  const SecondsFinding finding = simulator_.LastFinding();
  if (finding != SecondsFinding::None) {
    timekeeper_.SecondsZeroed(finding == SecondsFinding::ZeroedAfterStart);
  }
  return reading;
}

// A correction is read back at once (the simulator shown as it is now), and
// the sync sound tells of one that took, unless the simulator is paused.
bool MainWindowModel::KeepOnInternalClock(const SimClockReading& reading, CycleKind kind,
                                          int32_t& shownHour, int32_t& shownMinute) {
  const std::optional<ClockCorrection> correction = timekeeper_.Keep(
      reading, simulator_.ZeroesSeconds(), kind == CycleKind::AtFullMinute);
  ShowLastRefresh();
  if (!correction) return true;
  shownHour = correction->local.hour;
  shownMinute = correction->local.minute;
  const ClockFields fields = correction->withDate ? ClockFields::TimeAndDate : ClockFields::TimeOfDay;
  if (!simulator_.WriteClock(correction->local, correction->second, timekeeper_.ZuluOffset(),
                             fields)) {
    return true;  // the next cycle's read reports a simulator that went
  }
  SyncCycle(CycleKind::ReadBack);
  // The read-back found the simulator gone: let its warning sound be heard
  // and keep the not-connected display rather than drawing a time over it.
  if (!connected_) return false;
  if (!timekeeper_.Paused() && !timekeeper_.MinuteWriteDue()) PlayWav(context_.os, kSoundSync);
  return true;
}

// For a simulator that zeroes seconds a correction waits for the internal
// clock's next full minute. The simulator is read again then: it may have
// moved into another zone meanwhile, which is followed, not set back.
void MainWindowModel::WriteClockAtFullMinute() {
  if (timekeeper_.FullMinuteNow()) SyncCycle(CycleKind::AtFullMinute);
}

void MainWindowModel::PollHotKeys() {
  const Settings& s = context_.settings;
  KeyState& keys = context_.os.keys;
  // A hot key whose button is grey is not even read.
  const auto usable = [&](MainButton button) {
    return controls_.buttons[static_cast<size_t>(button)].face != ButtonFace::Grey;
  };
  if (s.startKey != 0 && usable(MainButton::Start) &&
      HotKeyDown(keys, s.startKey, s.startModifiers)) {
    RunButton(MainButton::Start);
  }
  if (s.startLocKey != 0 && usable(MainButton::StartLocal) &&
      HotKeyDown(keys, s.startLocKey, s.startLocModifiers)) {
    RunButton(MainButton::StartLocal);
  }
  // A simulator lost by a command above is not asked again in this tick.
  if (s.statusKey != 0 && HotKeyDown(keys, s.statusKey, s.statusModifiers) && connected_) {
    ShowStatusLine();
  }
}

// A line that cannot be put in the code page is not sent: an empty one
// would tell the pilot nothing.
void MainWindowModel::ShowStatusLine() {
  Regional& regional = context_.os.regional;
  const std::optional<std::string> bytes =
      regional.ToAnsi(StatusLine(timekeeper_, simClockText_, regional.DecimalSeparator()));
  if (bytes) simulator_.ShowText(*bytes);  // unanswered: the next sync cycle finds out
}

void MainWindowModel::ConnectStep(bool quiet) {
  if (connected_) return;
  RefreshClocks();
  context_.link.Close();
  if (context_.link.Open(0) != LinkResult::Ok) {
    if (!quiet) PlayWav(context_.os, kSoundWarning);
    MarkNotConnected();
    return;
  }
  PlayWav(context_.os, kSoundButton);
  MarkConnected();
  SyncCycle(CycleKind::Keep);
  SwitchOnAsAsked();
}

// Once in the run: a simulator lost later leaves Horavia OFF, as always. A
// switch-ON that found the simulator gone is tried at the next connection.
void MainWindowModel::SwitchOnAsAsked() {
  if (!switchOnWhenConnected_ || !connected_ || timekeeper_.On()) return;
  SwitchOn(*switchOnWhenConnected_);
  if (timekeeper_.On()) switchOnWhenConnected_.reset();
}

void MainWindowModel::MarkConnected() {
  connected_ = true;
  // Another simulator may be there now: how it takes seconds is learned anew.
  simulator_.NewConnection();
  for (const MainButton b : {MainButton::Start, MainButton::StartLocal, MainButton::Zulu,
                             MainButton::Chronometers}) {
    SetButtonFace(controls_, b, true, false);
  }
  controls_.simDate.toolTip.clear();
}

void MainWindowModel::MarkNotConnected() {
  connected_ = false;
  SwitchOff();
  for (const MainButton b : {MainButton::Start, MainButton::StartLocal, MainButton::Zulu,
                             MainButton::Chronometers}) {
    SetButtonFace(controls_, b, false, false);
  }
  toggles_.showZulu = false;
  toggles_.showChronometers = false;
  ShowNotConnected(controls_);
  // Why, from the exchange or the open that failed last: each quiet attempt
  // of the half-second tick tells its own reason.
  controls_.simDate.toolTip = NotConnectedReason(context_.link.LastFailure());
}

}  // namespace horavia
