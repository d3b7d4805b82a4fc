#include "core/frm_main.h"

#include <string>

#include "chronolog/chronolog_writer.h"
#include "core/version.h"
#include "settings/settings_store.h"
#include "ui/sounds.h"

namespace horavia {

frmMain::frmMain(modMain& mod)
    : mod_(mod),
      tmrSecond_(mod.os.timers, TimerId::Second, 500, true),
      tmrSync_(mod.os.timers, TimerId::Sync, 20000, false) {}

void frmMain::Form_Load() {
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

void frmMain::Form_Unload() {
  // The user has closed the window: no tick may switch ON or reconnect
  // while a message box of the steps below is open.
  tmrSecond_.SetEnabled(false);
  tmrSync_.SetEnabled(false);
  ChronoLogWriteEntry();
  SaveSettings(mod_.settings, mod_.os, settingsUnread_);
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

void frmMain::ChronoLogWriteEntry() { horavia::ChronoLogWriteEntry(state_, mod_.settings, mod_.os); }

}  // namespace horavia
