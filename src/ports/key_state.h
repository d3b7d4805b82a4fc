#pragma once

#include <cstdint>

#include "ports/port_base.h"

namespace horavia {

// The state of the whole desktop's keyboard, as GetAsyncKeyState reports it:
// the top bit set while the key is held.
class KeyState : public PortBase {
 public:
  virtual int16_t AsyncKeyState(int32_t virtualKey) = 0;
};

}  // namespace horavia
