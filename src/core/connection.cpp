// Reaching the simulator, and what the window shows when it cannot.

#include "core/frm_main.h"
#include "ui/sounds.h"

namespace horavia {

void frmMain::ConnectStep(bool quiet) {
  if (state_.connected) return;
  ShowInternalClock();
  Link& link = mod_.link;
  link.LinkClose();
  link.LinkReset();
  LinkResult result = LinkOk;
  if (!link.LinkOpen(0, result)) {
    if (!quiet) PlayWav(mod_.os, kSoundWarning);
    MarkNotConnected();
    return;
  }
  PlayWav(mod_.os, kSoundButton);
  MarkConnected();
  SyncCycle();
}

void frmMain::MarkConnected() {
  state_.connected = true;
  // Another simulator may be there now: how it takes seconds is learned anew.
  state_.simulatorZeroesSeconds = false;
  state_.lastClockWrite.reset();
  for (const int i : {0, 1, 3, 4}) SetButtonFace(i, true, false);
}

void frmMain::MarkNotConnected() {
  state_.connected = false;
  SwitchOff();
  for (const int i : {0, 1, 3, 4}) SetButtonFace(i, false, false);
  state_.showZulu = false;
  state_.showChronometers = false;
  controls_.lblFSClock.caption = "?? : ??";
  controls_.lblFSDate.caption = "FSUIPC - Not connected";
  controls_.lblFSAM.color = colors::kOlive;
  controls_.lblFSPM.color = colors::kOlive;
  controls_.lblFSZulu.color = colors::kOlive;
}

}  // namespace horavia
