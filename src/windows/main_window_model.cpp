#include "windows/main_window_model.h"

#include <string>

#include "chronolog/log_writer.h"
#include "chronolog/log_format.h"
#include "base/version.h"
#include "settings/settings_store.h"
#include "windows/sounds.h"

namespace horavia {

MainWindowModel::MainWindowModel(ProcessContext& context)
    : context_(context),
      halfSecondTimer_(context.os.timers, TimerId::Second, 500, true),
      syncTimer_(context.os.timers, TimerId::Sync, 20000, false) {}

MainWindowModel::HandlerScope::HandlerScope(MainWindowModel& form) : form_(form), entered_(!form.inHandler_) {
  if (!entered_) return;
  form_.inHandler_ = true;
  form_.exchangeFailed_ = false;
}

MainWindowModel::HandlerScope::~HandlerScope() {
  if (entered_) form_.inHandler_ = false;
}

void MainWindowModel::Start() {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  settingsUnread_ = !LoadSettings(context_.settings, context_.os);
  syncTimer_.SetInterval(context_.settings.syncIntervalMs);
  syncTimer_.SetEnabled(true);
  controls_.internalClockFrameVisible = true;
  controls_.infoFrameVisible = false;
  controls_.version.caption = "Version " + std::to_string(HORAVIA_VERSION_MAJOR) + "." +
                                 std::to_string(HORAVIA_VERSION_MINOR);
  SetButtonFace(5, true, false);
  SetButtonFace(2, true, false);
  ConnectStep(false);
  // The half-second tick starts once the start-up is over, so that a message
  // box shown above cannot run it before the first connect step.
  halfSecondTimer_.Start();
}

void MainWindowModel::Shutdown() { ShutDown(LogFailureNotice::OfferRetry); }

void MainWindowModel::EndSession() { ShutDown(LogFailureNotice::Silent); }

// The shut-down runs even when it arrives inside another handler (Windows
// ends the session while a box is up): the process may not live on. After
// it, the window stays busy for good, so no stray tick does anything.
void MainWindowModel::ShutDown(LogFailureNotice notice) {
  if (shutDown_) return;
  shutDown_ = true;
  inHandler_ = true;
  exchangeFailed_ = false;
  // The user has closed the window: no tick may switch ON or reconnect
  // while a message box of the steps below is open.
  halfSecondTimer_.SetEnabled(false);
  syncTimer_.SetEnabled(false);
  // A window closed while ON is not switched OFF: this alone logs the
  // running period.
  TakeOnPeriod();
  WritePendingEntries(notice);
  SaveSettings(context_.settings, context_.os, settingsUnread_, notice != LogFailureNotice::Silent);
  PlayWav(context_.os, kSoundButton);
  context_.link.Close();
  context_.os.clock.Sleep(200);
}

void MainWindowModel::SetButtonFace(int index, bool enabled, bool on) {
  if (index < 0 || index >= kButtonCount) return;
  ImageButtonState& button = controls_.buttons[static_cast<size_t>(index)];
  button.enabled = enabled;
  button.face = ButtonFace::Grey;
  if (enabled) button.face = ButtonFace::Red;
  if (on) button.face = ButtonFace::Green;
}

// The entry carries the PC time of the last clock refresh, which is at most
// one sync interval before the end of the period.
void MainWindowModel::TakeOnPeriod() {
  if (state_.totalSeconds <= context_.settings.logSecondMin) return;
  state_.pendingEntries.push_back({state_.pcClock, state_.flightSeconds, state_.groundSeconds});
  state_.totalSeconds = 0;
}

void MainWindowModel::WritePendingEntries(LogFailureNotice notice) {
  std::vector<LogEntry>& pending = state_.pendingEntries;
  const std::string path = context_.os.programFolder + kLogFileName;
  while (!pending.empty()) {
    if (AppendLogEntries(pending, context_.os)) {
      pending.clear();
      return;
    }
    const std::string notYet = "Could not write " + path + " file.  Not in the log yet: " +
                               DescribeEntries(pending, context_.os.regional) + ".  ";
    const char* const them = pending.size() == 1 ? "it" : "them";
    switch (notice) {
      case LogFailureNotice::Silent:
        return;
      case LogFailureNotice::Tell:
        context_.os.boxes.Show(notYet + "Horavia keeps " + them +
                               " and tries again at the next switch OFF and when it closes.",
                           kProgramTitle, BoxKind::Warning);
        return;
      case LogFailureNotice::OfferRetry:
        // Closing would lose them: the user may free the file and try again.
        if (context_.os.boxes.Show(notYet +
                                   "Close the program that holds the file and choose Yes to try "
                                   "again, or No to close Horavia without " + them + ".",
                               kProgramTitle, BoxKind::Question) != BoxAnswer::Yes) {
          return;
        }
        break;
    }
  }
}

bool MainWindowModel::Exchange() {
  if (exchangeFailed_) {
    context_.link.DropQueued();
    return false;
  }
  LinkResult result = LinkResult::Ok;
  if (context_.link.Process(result)) return true;
  exchangeFailed_ = true;
  return false;
}

}  // namespace horavia
