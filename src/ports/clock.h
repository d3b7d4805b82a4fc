#pragma once

#include <cstdint>

#include "ports/port_base.h"

namespace horavia {

// A local date and time to the second, as the PC's clock gives it.
struct LocalDateTime {
  int32_t year = 0;
  int32_t month = 0;   // 1..12
  int32_t day = 0;     // 1..31
  int32_t hour = 0;    // 0..23
  int32_t minute = 0;  // 0..59
  int32_t second = 0;  // 0..59
  int32_t millisecond = 0;  // 0..999, where the clock knows it

  friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The PC's local clock, the system's elapsed time, and the plain waits the
// program makes on its thread.
class Clock : public PortBase {
 public:
  virtual LocalDateTime Now() = 0;
  // Milliseconds since some fixed moment, counted by the system whatever the
  // PC's clock does: a user, a time service or a daylight-saving change that
  // steps the PC's clock does not move it.
  virtual int64_t ElapsedMs() = 0;
  // Blocks the calling thread; timer messages are not delivered meanwhile.
  virtual void Sleep(int32_t milliseconds) = 0;
};

}  // namespace horavia
