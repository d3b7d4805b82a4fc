#pragma once

#include <windows.h>

#include <vector>

#include "ports/link_ipc.h"

namespace horavia::testsupport {

// Passes everything to the real port and notes when each send began and
// ended, so that a test can count sends and measure the pauses between them.
class CountingIpc final : public LinkIpc {
 public:
  explicit CountingIpc(LinkIpc& real) : real_(real) {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    frequency_ = static_cast<double>(f.QuadPart);
  }

  struct SendTimes {
    double beganMs;
    double endedMs;
  };
  std::vector<SendTimes> sends;

  Handle FindWindowByClass(const std::string& c) override { return real_.FindWindowByClass(c); }
  uint32_t RegisterMessage(const std::string& n) override { return real_.RegisterMessage(n); }
  uint16_t AddAtom(const std::string& n) override { return real_.AddAtom(n); }
  void DeleteAtom(uint16_t a) override { real_.DeleteAtom(a); }
  Mapping CreateMapping(const std::string& n, uint32_t s) override {
    return real_.CreateMapping(n, s);
  }
  uint8_t* MapView(Handle m) override { return real_.MapView(m); }
  void UnmapView(uint8_t* v) override { real_.UnmapView(v); }
  void CloseHandle(Handle h) override { real_.CloseHandle(h); }
  bool Send(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
            uint32_t& answer) override {
    const double began = NowMs();
    const bool sent = real_.Send(window, message, wParam, lParam, timeoutMs, answer);
    const DWORD error = ::GetLastError();  // the bookkeeping must not disturb it
    sends.push_back({began, NowMs()});
    ::SetLastError(error);
    return sent;
  }
  uint32_t LastError() override { return real_.LastError(); }
  void Sleep(uint32_t ms) override { real_.Sleep(ms); }
  uint32_t ProcessId() override { return real_.ProcessId(); }

 private:
  double NowMs() const {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency_;
  }
  LinkIpc& real_;
  double frequency_ = 1;
};

}  // namespace horavia::testsupport
