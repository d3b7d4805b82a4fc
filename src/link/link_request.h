#pragma once

#include <cstdint>

namespace horavia {

// One read or write of an exchange with the simulator. A read's bytes go
// to `into` (which must stay valid until the exchange returns and is
// written only by a successful one); a write's bytes are copied from `from`
// into the block before it is sent.
struct LinkRequest {
  enum class Kind : uint8_t { Read, Write };

  Kind kind = Kind::Read;
  uint32_t offset = 0;
  uint32_t size = 0;
  void* into = nullptr;
  const void* from = nullptr;

  static constexpr LinkRequest Read(uint32_t offset, uint32_t size, void* into) {
    return {Kind::Read, offset, size, into, nullptr};
  }
  static constexpr LinkRequest Write(uint32_t offset, uint32_t size, const void* from) {
    return {Kind::Write, offset, size, nullptr, from};
  }
};

}  // namespace horavia
