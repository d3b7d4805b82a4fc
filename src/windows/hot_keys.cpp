#include "windows/hot_keys.h"

namespace horavia {
namespace {

constexpr int32_t kShift = 16;    // VK_SHIFT
constexpr int32_t kControl = 17;  // VK_CONTROL

bool ModifiersHold(KeyState& keys, int32_t modifierCode) {
  // A key counts as held when the top bit is set, and as clear only when
  // the whole state is 0 (a key pressed since the last look is neither).
  const int16_t shift = keys.AsyncKeyState(kShift);
  const int16_t control = keys.AsyncKeyState(kControl);
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

}  // namespace

bool HotKeyDown(KeyState& keys, int32_t keyCode, int32_t modifierCode) {
  return keys.AsyncKeyState(keyCode) < 0 && ModifiersHold(keys, modifierCode);
}

}  // namespace horavia
