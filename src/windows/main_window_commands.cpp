// The six image buttons and the timekeeper's two transitions.

#include "windows/main_window_model.h"
#include "windows/sounds.h"

namespace horavia {

void MainWindowModel::Press(MainButton button) {
  const HandlerScope scope(*this);
  if (scope.Entered()) RunButton(button);
}

// A button's face tells what a click means: red (usable, off) turns it on,
// green turns it off, grey does nothing.
void MainWindowModel::RunButton(MainButton button) {
  PlayWav(context_.os, kSoundButton);
  const auto index = static_cast<size_t>(button);
  if (index >= controls_.buttons.size()) return;
  const ButtonFace face = controls_.buttons[index].face;
  if (face == ButtonFace::Grey) return;
  const bool turnOn = face == ButtonFace::Red;
  switch (button) {
    case MainButton::Start:
    case MainButton::StartLocal:
      if (turnOn) {
        SwitchOn(button == MainButton::Start ? StartMode::SystemTime : StartMode::SimulatorTime);
      } else {
        SwitchOff();
      }
      break;
    case MainButton::Hour24:
    case MainButton::Zulu:
    case MainButton::Chronometers:
      ToggleDisplay(button, turnOn);
      break;
    case MainButton::Info:
      ToggleInfoFrame(turnOn);
      break;
  }
}

// Each redraws the clocks at once, without a correction. Zulu time and the
// chronometer line need the simulator: when the read finds it gone, the
// toggle goes back off.
void MainWindowModel::ToggleDisplay(MainButton button, bool turnOn) {
  const bool on = timekeeper_.On();
  if (button == MainButton::Hour24) {
    toggles_.show24Hour = turnOn;
    SetButtonFace(controls_, button, true, turnOn);
  } else if (button == MainButton::Zulu) {
    toggles_.showZulu = turnOn;
    if (!turnOn) SetButtonFace(controls_, button, true, false);
    controls_.simZulu.color = turnOn ? (on ? colors::kBrightGreen : colors::kYellow)
                                     : (on ? colors::kDarkGreen : colors::kOlive);
  } else {
    toggles_.showChronometers = turnOn;
    if (!turnOn) SetButtonFace(controls_, button, true, false);
  }
  SyncCycle(CycleKind::DisplayOnly);
  if (!turnOn || button == MainButton::Hour24) return;
  if (connected_) {
    SetButtonFace(controls_, button, true, true);
  } else if (button == MainButton::Zulu) {
    toggles_.showZulu = false;
  } else {
    toggles_.showChronometers = false;
  }
}

void MainWindowModel::ToggleInfoFrame(bool show) {
  controls_.internalClockFrameVisible = !show;
  controls_.infoFrameVisible = show;
  SetButtonFace(controls_, MainButton::Info, true, show);
}

void MainWindowModel::SwitchOn(StartMode mode) {
  const bool fromPc = mode == StartMode::SystemTime;
  if (fromPc && !SetSimulatorFromPcClock()) {
    PlayWav(context_.os, kSoundWarning);
    MarkNotConnected();
    return;
  }
  SetButtonFace(controls_, MainButton::Start, fromPc, fromPc);
  SetButtonFace(controls_, MainButton::StartLocal, !fromPc, !fromPc);
  SetSimClockScheme(controls_, true);
  timekeeper_.SwitchOn(mode);
  controls_.caption = "Horavia (ON)";
  // The first tick comes one whole interval after the switch.
  syncTimer_.SetEnabled(false);
  syncTimer_.SetEnabled(true);
  // The first cycle takes the internal clock: from the simulator in
  // simulator time, from the PC clock (which the simulator now shows) else.
  SyncCycle(CycleKind::Keep);
  PlayWav(context_.os, kSoundStart);
  if (connected_) ShowStatusLine();  // not to a simulator the cycle found silent
}

// The simulator's local time becomes the PC's local time; its zone stays,
// and its Zulu time and date follow. A simulator that zeroes seconds gets
// its date now and its time at the next full minute.
bool MainWindowModel::SetSimulatorFromPcClock() {
  const std::optional<SimClockReading> reading = simulator_.ReadTimeOfDay();
  if (!reading) return false;
  // The PC time of the simulator's answer, which may have come only after
  // time-outs and retries: taken before the read, it would set the
  // simulator behind the PC clock by the wait.
  RefreshClocks();
  timekeeper_.SetZuluOffset(reading->ZuluOffset());
  const ClockParts& pc = timekeeper_.LastRefresh().pc;
  if (simulator_.ZeroesSeconds()) {
    timekeeper_.StartOnPcClockAtNextMinute();
    simulator_.WriteClock(pc, pc.second, timekeeper_.ZuluOffset(), ClockFields::Date);
  } else {
    simulator_.WriteClock(pc, pc.second, timekeeper_.ZuluOffset(), ClockFields::TimeAndDate,
                          true);
  }
  return true;  // the write is read back by the first cycle
}

void MainWindowModel::SwitchOff() {
  // Only a real switch-OFF writes the log. The reconnect attempts of the
  // half-second tick repeat the OFF state every 500 ms; they keep what is
  // pending for the next switch-OFF or the shut-down.
  const bool wasOn = timekeeper_.On();
  SetButtonFace(controls_, MainButton::Start, true, false);
  SetButtonFace(controls_, MainButton::StartLocal, true, false);
  SetSimClockScheme(controls_, false);
  controls_.simTime.toolTip.clear();  // OFF leaves the simulator's clock alone at any rate
  timekeeper_.SwitchOff();
  controls_.caption = "Horavia (OFF)";
  LogFinishedPeriod(wasOn, LogFailureNotice::Tell);
  RefreshClocks();
  if (!connected_) return;
  PlayWav(context_.os, kSoundWarning);
  // After a failed exchange the link is still open but the simulator does
  // not answer: the OFF line would only hold the window for another full
  // round of time-outs, so it goes only to a simulator still connected.
  ShowStatusLine();
}

void MainWindowModel::LogFinishedPeriod(bool attempt, LogFailureNotice notice) {
  if (const auto entry = timekeeper_.TakeFinishedPeriod(context_.settings.logSecondMin)) {
    flightLog_.Add(*entry);
  }
  if (attempt) flightLog_.WritePending(notice);
}

}  // namespace horavia
