#pragma once

#include <cstdint>

#include "ports/port_base.h"

namespace horavia {

enum class TimerId : int32_t { Second = 1, Sync = 2 };

// The window timers. Arming a timer (again) starts its period afresh.
class Timers : public PortBase {
 public:
  virtual void Arm(TimerId id, int32_t intervalMs) = 0;
  virtual void Disarm(TimerId id) = 0;
};

}  // namespace horavia
