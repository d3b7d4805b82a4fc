// The text commands "Help", "Log" and "Settings" of the information frame.

#include <string>
#include <string_view>

#include "windows/main_window_model.h"
#include "windows/sounds.h"

namespace horavia {
namespace {

constexpr std::string_view kHelpPage = "\\Horavia.htm";

}  // namespace

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

}  // namespace horavia
