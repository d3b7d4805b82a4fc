#pragma once

#include "ports/key_state.h"

namespace horavia::win32 {

class Win32KeyState final : public KeyState {
 public:
  int16_t AsyncKeyState(int32_t virtualKey) override;
};

}  // namespace horavia::win32
