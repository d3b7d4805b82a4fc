// The six image buttons and the timekeeper's two transitions.

#include <cstdint>

#include "base/calendar.h"
#include "windows/main_window_model.h"
#include "link/simulator_offsets.h"
#include "timekeeping/sync_rules.h"
#include "windows/sounds.h"

namespace horavia {
namespace {

// Moves a lamp between the OFF colours (yellow, olive) and the ON colours
// (bright green, dark green), keeping it lit or unlit.
void Recolor(LabelState& label, bool on) {
  if (on) {
    if (label.color == colors::kYellow) label.color = colors::kBrightGreen;
    if (label.color == colors::kOlive) label.color = colors::kDarkGreen;
  } else {
    if (label.color == colors::kBrightGreen) label.color = colors::kYellow;
    if (label.color == colors::kDarkGreen) label.color = colors::kOlive;
  }
}

}  // namespace

void MainWindowModel::SetSimClockScheme(bool on) {
  const Rgb lit = on ? colors::kBrightGreen : colors::kYellow;
  controls_.simTime.color = lit;
  controls_.simDate.color = lit;
  Recolor(controls_.simAm, on);
  Recolor(controls_.simPm, on);
  Recolor(controls_.simZulu, on);
}

void MainWindowModel::Press(MainButton button) {
  const HandlerScope scope(*this);
  if (scope.Entered()) RunButton(static_cast<int>(button));
}

void MainWindowModel::RunButton(int index) {
  PlayWav(context_.os, kSoundButton);
  if (index < 0 || index >= kButtonCount) return;
  const ButtonFace face = controls_.buttons[static_cast<size_t>(index)].face;
  const bool off = face == ButtonFace::Red;
  const bool on = face == ButtonFace::Green;
  switch (index) {
    case 0:
    case 1:
      if (off) SwitchOn(index == 0 ? StartMode::SystemTime : StartMode::SimulatorTime);
      if (on) SwitchOff();
      break;
    case 2:
      if (!off && !on) break;
      state_.show24Hour = off;
      SetButtonFace(2, true, off);
      state_.displayOnly = true;
      SyncCycle();
      break;
    case 3:
      if (off) {
        state_.showZulu = true;
        controls_.simZulu.color = state_.on ? colors::kBrightGreen : colors::kYellow;
        state_.displayOnly = true;
        SyncCycle();
        if (state_.connected) {
          SetButtonFace(3, true, true);
        } else {
          state_.showZulu = false;
        }
      } else if (on) {
        state_.showZulu = false;
        SetButtonFace(3, true, false);
        controls_.simZulu.color = state_.on ? colors::kDarkGreen : colors::kOlive;
        state_.displayOnly = true;
        SyncCycle();
      }
      break;
    case 4:
      if (off) {
        state_.showChronometers = true;
        state_.displayOnly = true;
        SyncCycle();
        if (state_.connected) {
          SetButtonFace(4, true, true);
        } else {
          state_.showChronometers = false;
        }
      } else if (on) {
        state_.showChronometers = false;
        SetButtonFace(4, true, false);
        state_.displayOnly = true;
        SyncCycle();
      }
      break;
    case 5:
      if (!off && !on) break;
      controls_.internalClockFrameVisible = on;
      controls_.infoFrameVisible = off;
      SetButtonFace(5, true, off);
      break;
    default:
      break;
  }
}

void MainWindowModel::SwitchOn(StartMode mode) {
  if (mode == StartMode::SystemTime) {
    Link& link = context_.link;
    LinkResult result = LinkResult::Ok;
    // Set the simulator's clock from the PC's: its local time becomes the
    // PC's local time, its zone stays, and its Zulu time and date follow.
    uint32_t localHour = 0, localMinute = 0, second = 0, zuluHour = 0, zuluMinute = 0;
    const bool queued = link.Read(offsets::kLocalHour, 1, &localHour, result);
    link.Read(offsets::kLocalMinute, 1, &localMinute, result);
    link.Read(offsets::kSecond, 1, &second, result);
    link.Read(offsets::kZuluHour, 1, &zuluHour, result);
    link.Read(offsets::kZuluMinute, 1, &zuluMinute, result);
    if (!queued || !Exchange()) {
      PlayWav(context_.os, kSoundWarning);
      MarkNotConnected();
      return;
    }
    // The PC time of the simulator's answer, which may have come only after
    // time-outs and retries: taken before the read, it would set the
    // simulator behind the PC clock by the wait.
    ShowInternalClock();
    state_.zuluOffset =
        ZuluOffsetMinutes(static_cast<int32_t>(localHour), static_cast<int32_t>(localMinute),
                          static_cast<int32_t>(zuluHour), static_cast<int32_t>(zuluMinute));
    const ClockParts& pc = state_.pcClock;
    if (state_.simulatorZeroesSeconds) {
      // The time waits for the next full minute; the date goes now, and the
      // internal clock is the PC clock from the start.
      state_.internalClockOffset = 0;
      state_.minuteWriteDue = true;
      state_.minuteWriteWithDate = true;
    } else {
      QueueTimeWrite(pc, pc.second, true);
    }
    QueueDateWrite(pc);
    ExchangeClockWrite();  // the cycle below reads the simulator back
    SetButtonFace(0, true, true);
    SetButtonFace(1, false, false);
  } else {
    SetButtonFace(0, false, false);
    SetButtonFace(1, true, true);
  }
  SetSimClockScheme(true);
  state_.on = true;
  controls_.caption = "Horavia (ON)";
  state_.flightSeconds = 0;
  state_.groundSeconds = 0;
  state_.totalSeconds = 0;
  // The first tick comes one whole interval after the switch.
  syncTimer_.SetEnabled(false);
  syncTimer_.SetEnabled(true);
  SyncCycle();
  PlayWav(context_.os, kSoundStart);
  if (state_.connected) ShowStatusText();  // not to a simulator the cycle found silent
}

void MainWindowModel::SwitchOff() {
  // Only a real switch-OFF writes the log. The reconnect attempts of the
  // half-second tick repeat the OFF state every 500 ms; they keep what is
  // pending for the next switch-OFF or the shut-down.
  const bool wasOn = state_.on;
  SetButtonFace(0, true, false);
  SetButtonFace(1, true, false);
  SetSimClockScheme(false);
  state_.on = false;
  controls_.caption = "Horavia (OFF)";
  state_.internalClockOffset = kNone;
  state_.previousZuluOffset = kNone;
  state_.minuteWriteDue = false;
  state_.minuteWriteWithDate = false;
  TakeOnPeriod();
  if (wasOn) WritePendingEntries(LogFailureNotice::Tell);
  ShowInternalClock();
  if (state_.connected) PlayWav(context_.os, kSoundWarning);
  // After a failed exchange the link is still open but the simulator does
  // not answer: the OFF line would only hold the window for another full
  // round of time-outs.
  if (state_.connected) ShowStatusText();
}

}  // namespace horavia
