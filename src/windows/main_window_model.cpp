// The main window's life: start-up, shut-down, the end of the Windows
// session, and the text commands of its information frame.

#include "windows/main_window_model.h"

#include <string>
#include <string_view>

#include "base/program_title.h"
#include "base/version.h"
#include "settings/settings_store.h"
#include "windows/sounds.h"

namespace horavia {
namespace {

constexpr std::string_view kHelpPage = "\\Horavia.htm";

}  // namespace

MainWindowModel::MainWindowModel(ProcessContext& context)
    : context_(context),
      timekeeper_(context.os.clock),
      simulator_(context.link),
      flightLog_(context.os),
      halfSecondTimer_(context.os.timers, TimerId::Second, 500, true),
      syncTimer_(context.os.timers, TimerId::Sync, 20000, false) {}

MainWindowModel::HandlerScope::HandlerScope(MainWindowModel& model)
    : model_(model), entered_(!model.inHandler_) {
  if (!entered_) return;
  model_.inHandler_ = true;
  model_.simulator_.NewHandler();
}

MainWindowModel::HandlerScope::~HandlerScope() {
  if (entered_) model_.inHandler_ = false;
}

void MainWindowModel::Start(const StartOptions& options) {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  if (!options.unknown.empty()) {
    context_.os.boxes.Show(UnknownOptionsText(options.unknown), kProgramTitle, BoxKind::Information);
  }
  switchOnWhenConnected_ = options.switchOn;
  settingsUnread_ = !LoadSettings(context_.settings, context_.os);
  syncTimer_.SetInterval(context_.settings.syncIntervalMs);
  syncTimer_.SetEnabled(true);
  controls_.internalClockFrameVisible = true;
  controls_.infoFrameVisible = false;
  controls_.version.caption = "Version " + std::to_string(HORAVIA_VERSION_MAJOR) + "." +
                              std::to_string(HORAVIA_VERSION_MINOR);
  SetButtonFace(controls_, MainButton::Info, true, false);
  SetButtonFace(controls_, MainButton::Hour24, true, false);
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
  simulator_.NewHandler();
  // No tick may switch ON or reconnect while a box of the steps below is open.
  halfSecondTimer_.SetEnabled(false);
  syncTimer_.SetEnabled(false);
  // A window closed while ON is not switched OFF: this alone logs the
  // running period.
  LogFinishedPeriod(true, notice);
  SaveSettings(context_.settings, context_.os, settingsUnread_, notice != LogFailureNotice::Silent);
  PlayWav(context_.os, kSoundButton);
  context_.link.Close();
  context_.os.clock.Sleep(200);
}

// Without the page the shell would show an error box of its own; a missing
// page is meant to change nothing, so it is looked for first.
void MainWindowModel::OpenHelp() {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  PlayWav(context_.os, kSoundButton);
  const std::string page = context_.os.programFolder + std::string(kHelpPage);
  if (!context_.os.files.IsRegularFile(page)) return;
  context_.os.shell.Open(page);
}

void MainWindowModel::OpenLog() {
  const HandlerScope scope(*this);
  if (scope.Entered()) PlayWav(context_.os, kSoundButton);
}

void MainWindowModel::OpenSettings() {
  const HandlerScope scope(*this);
  if (scope.Entered()) PlayWav(context_.os, kSoundButton);
}

void MainWindowModel::RefreshClocks() {
  timekeeper_.Refresh();
  ShowLastRefresh();
}

void MainWindowModel::ShowLastRefresh() {
  ShowInternalClock(controls_, timekeeper_.LastRefresh().internal, toggles_.show24Hour,
                    context_.os.regional);
}

}  // namespace horavia
