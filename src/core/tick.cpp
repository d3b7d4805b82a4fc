// The half-second tick: a quiet reconnect while the simulator is away, the
// three hot keys while it is there.

#include "core/frm_main.h"

namespace horavia {

void frmMain::tmrSecond_Timer() {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  if (!state_.connected) {
    ConnectStep(true);
    return;
  }
  WriteClockAtMinute();
  const Settings& s = mod_.settings;
  if (s.StartHk != 0 && controls_.imgButton[0].face != ButtonFace::Grey &&
      HotKeyPressed(s.StartHk, s.StartHkCs)) {
    RunButton(0);
  }
  if (s.StartLocHk != 0 && controls_.imgButton[1].face != ButtonFace::Grey &&
      HotKeyPressed(s.StartLocHk, s.StartLocHkCs)) {
    RunButton(1);
  }
  // A simulator lost by a command above is not asked again in this tick.
  if (s.StatusHk != 0 && HotKeyPressed(s.StatusHk, s.StatusHkCs) && state_.connected) {
    ShowStatusText();
  }
}

bool frmMain::HotKeyPressed(int32_t keyCode, int32_t modifierCode) {
  return mod_.os.keys.AsyncKeyState(keyCode) < 0 && ModifiersHold(modifierCode);
}

bool frmMain::ModifiersHold(int32_t modifierCode) {
  constexpr int32_t kShift = 16;
  constexpr int32_t kControl = 17;
  // A key counts as held when the top bit is set, and as clear only when
  // the whole state is 0 (a key pressed since the last look is neither).
  const int16_t shift = mod_.os.keys.AsyncKeyState(kShift);
  const int16_t control = mod_.os.keys.AsyncKeyState(kControl);
  switch (modifierCode) {
    case 1:
      return control < 0 && shift == 0;
    case 2:
      return shift < 0 && control == 0;
    case 3:
      return control < 0 && shift < 0;
    default:
      return control == 0 && shift == 0;
  }
}

}  // namespace horavia
