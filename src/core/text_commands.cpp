// The text commands "Help", "Log" and "Settings" of the information frame.

#include <string>
#include <string_view>

#include "core/frm_main.h"
#include "ui/sounds.h"

namespace horavia {
namespace {

constexpr std::string_view kHelpPage = "\\Horavia.htm";

}  // namespace

// Without the page the shell would show an error box of its own; a missing
// page is meant to change nothing, so it is looked for first.
void frmMain::lblContents_Click() {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  PlayWav(mod_.os, kSoundButton);
  const std::string page = mod_.os.programFolder + std::string(kHelpPage);
  if (!mod_.os.files.IsRegularFile(page)) return;
  mod_.os.shell.Open(page);
}

void frmMain::lblLog_Click() {
  const HandlerScope scope(*this);
  if (scope.Entered()) PlayWav(mod_.os, kSoundButton);
}

void frmMain::lblSettings_Click() {
  const HandlerScope scope(*this);
  if (scope.Entered()) PlayWav(mod_.os, kSoundButton);
}

}  // namespace horavia
