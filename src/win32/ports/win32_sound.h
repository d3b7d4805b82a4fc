#pragma once

#include "ports/sound.h"

namespace horavia::win32 {

class Win32Sound final : public Sound {
 public:
  void PlayAsync(const std::string& path) override;
};

}  // namespace horavia::win32
