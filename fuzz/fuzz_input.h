#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace horavia::fuzz {

// The fuzzer's bytes read front to back, so that a seed file can be written
// by hand: numbers are little-endian, and a reader past the end gets zeros.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : uint8_t{0}; }
  uint16_t U16() {
    const uint16_t low = Byte();
    return static_cast<uint16_t>(low | Byte() << 8);
  }
  uint32_t U32() {
    const uint32_t low = U16();
    return low | static_cast<uint32_t>(U16()) << 16;
  }
  // Up to `count` bytes, fewer at the end of the input.
  std::string Bytes(size_t count) {
    const size_t n = count < size_ - at_ ? count : size_ - at_;
    std::string out(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return out;
  }
  // A byte count, then that many bytes.
  std::string Text8() { return Bytes(Byte()); }
  std::string Text16() { return Bytes(U16()); }
  std::string Rest() { return Bytes(size_ - at_); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// A broken rule: said on standard error and ended in a way the fuzzer keeps
// as a crash, with the input that caused it. Not assert(): the targets are
// built with NDEBUG.
[[noreturn]] inline void Broken(const char* file, int line, const char* rule) {
  std::fprintf(stderr, "%s:%d: rule broken: %s\n", file, line, rule);
  std::abort();
}

}  // namespace horavia::fuzz

#define FUZZ_CHECK(rule)                                             \
  do {                                                               \
    if (!(rule)) ::horavia::fuzz::Broken(__FILE__, __LINE__, #rule); \
  } while (false)
