// The half-second tick: a quiet reconnect while the simulator is away, the
// three hot keys while it is there.

#include "windows/main_window_model.h"

namespace horavia {

void MainWindowModel::OnHalfSecondTick() {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  if (!state_.connected) {
    ConnectStep(true);
    return;
  }
  WriteClockAtMinute();
  const Settings& s = context_.settings;
  if (s.startKey != 0 && controls_.buttons[0].face != ButtonFace::Grey &&
      HotKeyPressed(s.startKey, s.startModifiers)) {
    RunButton(0);
  }
  if (s.startLocKey != 0 && controls_.buttons[1].face != ButtonFace::Grey &&
      HotKeyPressed(s.startLocKey, s.startLocModifiers)) {
    RunButton(1);
  }
  // A simulator lost by a command above is not asked again in this tick.
  if (s.statusKey != 0 && HotKeyPressed(s.statusKey, s.statusModifiers) && state_.connected) {
    ShowStatusText();
  }
}

bool MainWindowModel::HotKeyPressed(int32_t keyCode, int32_t modifierCode) {
  return context_.os.keys.AsyncKeyState(keyCode) < 0 && ModifiersHold(modifierCode);
}

bool MainWindowModel::ModifiersHold(int32_t modifierCode) {
  constexpr int32_t kShift = 16;
  constexpr int32_t kControl = 17;
  // A key counts as held when the top bit is set, and as clear only when
  // the whole state is 0 (a key pressed since the last look is neither).
  const int16_t shift = context_.os.keys.AsyncKeyState(kShift);
  const int16_t control = context_.os.keys.AsyncKeyState(kControl);
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
