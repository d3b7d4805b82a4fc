#pragma once

#include <cstdint>

#include "ports/key_state.h"

namespace horavia {

// Whether a hot key is down now: the key held (the state's top bit set) and
// exactly the modifiers of its code held, CTRL for 1, SHIFT for 2, both for
// 3, none for any other code. The modifiers are read only when the key is
// held; a key counts as clear only when its whole state is 0.
bool HotKeyDown(KeyState& keys, int32_t keyCode, int32_t modifierCode);

}  // namespace horavia
