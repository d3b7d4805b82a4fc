#pragma once

namespace horavia {

// Every port is a small, non-copyable interface. Implementations live in
// platform/win32 (the real program) and tests/fakes (the tests).
class PortBase {
 public:
  PortBase() = default;
  PortBase(const PortBase&) = delete;
  PortBase& operator=(const PortBase&) = delete;
  virtual ~PortBase() = default;
};

}  // namespace horavia
