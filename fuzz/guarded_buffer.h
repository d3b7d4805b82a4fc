#pragma once

// A caller's buffer fenced by guard bytes, which ASan is told to watch when
// the target is built with it, so that a stray write is seen as it happens.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/asan_interface.h>
#define HORAVIA_POISON(at, size) ASAN_POISON_MEMORY_REGION(at, size)
#define HORAVIA_UNPOISON(at, size) ASAN_UNPOISON_MEMORY_REGION(at, size)
#endif
#endif
#ifndef HORAVIA_POISON
#define HORAVIA_POISON(at, size) ((void)(at), (void)(size))
#define HORAVIA_UNPOISON(at, size) ((void)(at), (void)(size))
#endif

namespace horavia::fuzz {

inline constexpr size_t kGuard = 32;
inline constexpr uint8_t kGuardByte = 0xCA;

// A caller's buffer with guard bytes on both sides.
class Guarded {
 public:
  Guarded(size_t size, uint8_t fill) : bytes_(kGuard + size + kGuard, kGuardByte), size_(size) {
    std::memset(Data(), fill, size);
    HORAVIA_POISON(bytes_.data(), kGuard);
    HORAVIA_POISON(bytes_.data() + kGuard + size_, kGuard);
  }
  ~Guarded() { HORAVIA_UNPOISON(bytes_.data(), bytes_.size()); }
  Guarded(const Guarded&) = delete;
  Guarded& operator=(const Guarded&) = delete;

  uint8_t* Data() { return bytes_.data() + kGuard; }
  size_t Size() const { return size_; }
  bool GuardsWhole() {
    HORAVIA_UNPOISON(bytes_.data(), bytes_.size());
    bool whole = true;
    for (size_t i = 0; i < kGuard; ++i) {
      whole = whole && bytes_[i] == kGuardByte && bytes_[kGuard + size_ + i] == kGuardByte;
    }
    HORAVIA_POISON(bytes_.data(), kGuard);
    HORAVIA_POISON(bytes_.data() + kGuard + size_, kGuard);
    return whole;
  }

 private:
  std::vector<uint8_t> bytes_;
  size_t size_;
};

}  // namespace horavia::fuzz
