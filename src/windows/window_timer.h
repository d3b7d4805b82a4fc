#pragma once

#include <cstdint>

#include "ports/timers.h"

namespace horavia {

// A window timer as the window model sees it: an interval and an enabled
// flag. Enabling a disabled timer, or giving an enabled timer an interval,
// starts its period afresh; enabling an enabled timer changes nothing.
class WindowTimer {
 public:
  WindowTimer(Timers& port, TimerId id, int32_t intervalMs, bool enabled)
      : port_(port), id_(id), interval_(intervalMs), enabled_(enabled) {}

  int32_t Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }

  // Arms a timer that is enabled by design, once its window exists.
  void Start() {
    if (enabled_) port_.Arm(id_, interval_);
  }

  void SetInterval(int32_t intervalMs) {
    interval_ = intervalMs;
    if (enabled_) port_.Arm(id_, interval_);
  }

  void SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_) {
      port_.Arm(id_, interval_);
    } else {
      port_.Disarm(id_);
    }
  }

 private:
  Timers& port_;
  TimerId id_;
  int32_t interval_;
  bool enabled_;
};

}  // namespace horavia
