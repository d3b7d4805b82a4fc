#include "core/frm_main.h"

#include <string>

#include "chronolog/chronolog_writer.h"
#include "chronolog/log_format.h"
#include "core/version.h"
#include "settings/settings_store.h"
#include "ui/sounds.h"

namespace horavia {

frmMain::frmMain(modMain& mod)
    : mod_(mod),
      tmrSecond_(mod.os.timers, TimerId::Second, 500, true),
      tmrSync_(mod.os.timers, TimerId::Sync, 20000, false) {}

frmMain::HandlerScope::HandlerScope(frmMain& form) : form_(form), entered_(!form.inHandler_) {
  if (!entered_) return;
  form_.inHandler_ = true;
  form_.exchangeFailed_ = false;
}

frmMain::HandlerScope::~HandlerScope() {
  if (entered_) form_.inHandler_ = false;
}

void frmMain::Form_Load() {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  settingsUnread_ = !LoadSettings(mod_.settings, mod_.os);
  tmrSync_.SetInterval(mod_.settings.SyncIntervalMs);
  tmrSync_.SetEnabled(true);
  controls_.fraInternalTimeVisible = true;
  controls_.fraHelpVisible = false;
  controls_.lblVersion.caption = "Version " + std::to_string(HORAVIA_VERSION_MAJOR) + "." +
                                 std::to_string(HORAVIA_VERSION_MINOR);
  SetButtonFace(5, true, false);
  SetButtonFace(2, true, false);
  ConnectStep(false);
  // The half-second tick starts once the start-up is over, so that a message
  // box shown above cannot run it before the first connect step.
  tmrSecond_.Start();
}

void frmMain::Form_Unload() { ShutDown(LogFailureNotice::OfferRetry); }

void frmMain::EndSession() { ShutDown(LogFailureNotice::Silent); }

// The shut-down runs even when it arrives inside another handler (Windows
// ends the session while a box is up): the process may not live on. After
// it, the window stays busy for good, so no stray tick does anything.
void frmMain::ShutDown(LogFailureNotice notice) {
  if (shutDown_) return;
  shutDown_ = true;
  inHandler_ = true;
  exchangeFailed_ = false;
  // The user has closed the window: no tick may switch ON or reconnect
  // while a message box of the steps below is open.
  tmrSecond_.SetEnabled(false);
  tmrSync_.SetEnabled(false);
  // A window closed while ON is not switched OFF: this alone logs the
  // running period.
  TakeOnPeriod();
  WritePendingEntries(notice);
  SaveSettings(mod_.settings, mod_.os, settingsUnread_, notice != LogFailureNotice::Silent);
  PlayWav(mod_.os, kSoundButton);
  mod_.link.LinkClose();
  mod_.os.clock.Sleep(200);
}

void frmMain::SetButtonFace(int index, bool enabled, bool on) {
  if (index < 0 || index >= kButtonCount) return;
  ImageButtonState& button = controls_.imgButton[static_cast<size_t>(index)];
  button.enabled = enabled;
  button.face = ButtonFace::Grey;
  if (enabled) button.face = ButtonFace::Red;
  if (on) button.face = ButtonFace::Green;
}

// The entry carries the PC time of the last clock refresh, which is at most
// one sync interval before the end of the period.
void frmMain::TakeOnPeriod() {
  if (state_.T <= mod_.settings.LogSecondMin) return;
  state_.pendingEntries.push_back({state_.pcClock, state_.F, state_.G});
  state_.T = 0;
}

void frmMain::WritePendingEntries(LogFailureNotice notice) {
  std::vector<PendingEntry>& pending = state_.pendingEntries;
  const std::string path = mod_.os.programFolder + kLogFileName;
  while (!pending.empty()) {
    if (AppendLogEntries(pending, mod_.os)) {
      pending.clear();
      return;
    }
    const std::string notYet = "Could not write " + path + " file.  Not in the log yet: " +
                               DescribeEntries(pending, mod_.os.regional) + ".  ";
    const char* const them = pending.size() == 1 ? "it" : "them";
    switch (notice) {
      case LogFailureNotice::Silent:
        return;
      case LogFailureNotice::Tell:
        mod_.os.boxes.Show(notYet + "Horavia keeps " + them +
                               " and tries again at the next switch OFF and when it closes.",
                           kProgramTitle, BoxKind::Warning);
        return;
      case LogFailureNotice::OfferRetry:
        // Closing would lose them: the user may free the file and try again.
        if (mod_.os.boxes.Show(notYet +
                                   "Close the program that holds the file and choose Yes to try "
                                   "again, or No to close Horavia without " + them + ".",
                               kProgramTitle, BoxKind::Question) != BoxAnswer::Yes) {
          return;
        }
        break;
    }
  }
}

bool frmMain::Exchange() {
  if (exchangeFailed_) {
    mod_.link.DropQueued();
    return false;
  }
  LinkResult result = LinkOk;
  if (mod_.link.LinkProcess(result)) return true;
  exchangeFailed_ = true;
  return false;
}

}  // namespace horavia
