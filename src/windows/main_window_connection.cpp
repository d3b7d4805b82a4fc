// Reaching the simulator, and what the window shows when it cannot.

#include "windows/main_window_model.h"
#include "windows/sounds.h"

namespace horavia {

void MainWindowModel::ConnectStep(bool quiet) {
  if (state_.connected) return;
  ShowInternalClock();
  Link& link = context_.link;
  link.Close();
  link.Reset();
  LinkResult result = LinkResult::Ok;
  if (!link.Open(0, result)) {
    if (!quiet) PlayWav(context_.os, kSoundWarning);
    MarkNotConnected();
    return;
  }
  PlayWav(context_.os, kSoundButton);
  MarkConnected();
  SyncCycle();
}

void MainWindowModel::MarkConnected() {
  state_.connected = true;
  // Another simulator may be there now: how it takes seconds is learned anew.
  state_.simulatorZeroesSeconds = false;
  state_.lastClockWrite.reset();
  for (const int i : {0, 1, 3, 4}) SetButtonFace(i, true, false);
}

void MainWindowModel::MarkNotConnected() {
  state_.connected = false;
  SwitchOff();
  for (const int i : {0, 1, 3, 4}) SetButtonFace(i, false, false);
  state_.showZulu = false;
  state_.showChronometers = false;
  controls_.simTime.caption = "?? : ??";
  controls_.simDate.caption = "FSUIPC - Not connected";
  controls_.simAm.color = colors::kOlive;
  controls_.simPm.color = colors::kOlive;
  controls_.simZulu.color = colors::kOlive;
}

}  // namespace horavia
