#include "win32/ports/win32_key_state.h"

#include <windows.h>

namespace horavia::win32 {

int16_t Win32KeyState::AsyncKeyState(int32_t virtualKey) {
  return static_cast<int16_t>(::GetAsyncKeyState(virtualKey));
}

}  // namespace horavia::win32
