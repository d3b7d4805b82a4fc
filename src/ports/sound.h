#pragma once

#include <string>

#include "ports/port_base.h"

namespace horavia {

// Plays a WAV file without waiting for it; a new sound cuts off the last.
class Sound : public PortBase {
 public:
  virtual void PlayAsync(const std::string& path) = 0;
};

}  // namespace horavia
