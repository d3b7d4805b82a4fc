#pragma once

#include "ports/clock.h"

namespace horavia::win32 {

class Win32Clock final : public Clock {
 public:
  LocalDateTime Now() override;
  int64_t ElapsedMs() override;
  void Sleep(int32_t milliseconds) override;
};

}  // namespace horavia::win32
