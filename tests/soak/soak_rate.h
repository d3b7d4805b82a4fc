#pragma once

// The pilot runs the simulator faster or slower for a while, then at 1x
// again, in either mode: an event of the soak and its rules.
//
// The soak keeps one PilotRate and
//   - in its random events: while accelerated, one event in four is
//     Back(); otherwise a branch of its own is Accelerate(Pick(6));
//   - in Call(), outside a message box: Before() ahead of the handler, and
//     Expect(rule.empty(), rule) with rule = After(...) after it;
//   - in the clock check, while Accelerated(): no distance between the two
//     clocks counts (the count of a distance starts again at 1x);
//   - on every other event that moves either clock (a zone, a drift, a
//     time set by hand, the PC clock stepped): OtherEvent().
// A start's allowance for the simulator's clock (2 s) grows by Gained() of
// the time its handler took: the simulator's clock runs on at its rate
// while the link waits.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "simstandin/core/sim_aircraft.h"

namespace horavia::soak {

class PilotRate {
 public:
  static bool Accelerated(const simstandin::SimAircraft& aircraft) { return aircraft.Rate() != 256; }
  // One of the rates a simulator offers (`draw` 0..5).
  static void Accelerate(simstandin::SimAircraft& aircraft, int32_t draw) {
    static constexpr int32_t kRates[] = {512, 1024, 2048, 4096, 128, 64};  // 2x .. 16x, 1/2x, 1/4x
    aircraft.SetRate(kRates[draw % 6]);
  }
  // Watched only where the window saw the other rate: a pilot back at 1x
  // within one sync interval is met as a simulator whose clock moved.
  void Back(simstandin::SimAircraft& aircraft, int64_t nowMs) {
    aircraft.SetRate(256);
    returnedAtMs_ = seen_ ? nowMs : kNone;
    writesSinceReturn_ = 0;
    seen_ = false;
  }
  // The writes that follow another event are that event's.
  void OtherEvent() { returnedAtMs_ = kNone; }
  // Seconds the simulator's clock gains on real time (or loses) in `ms`.
  static int64_t Gained(const simstandin::SimAircraft& aircraft, int64_t ms) {
    return std::abs(ms * (aircraft.Rate() - 256) / 256 / 1000);
  }
  void Before(const simstandin::SimAircraft& aircraft) { writesBefore_ = aircraft.ClockWrites(); }

  // After a handler outside a box: `startFromPc` the handler switched ON by
  // Start (whose own write is the pilot's command), `on` and `startLoc` the
  // state after it, `twoCorrections` a simulator that does not take writes
  // (corrected twice before it is left alone) or that zeroes seconds (set
  // once more at the full minute), `settleMs` how long after
  // the return a correction may still come (a sync interval, and a minute
  // for a simulator that zeroes seconds), `told` the window says the rate.
  // Empty, or the rule broken.
  std::string After(const simstandin::SimAircraft& aircraft, bool startFromPc, bool on, bool startLoc,
                    bool twoCorrections, bool told, int64_t nowMs, int64_t settleMs) {
    const uint32_t writes = aircraft.ClockWrites() - writesBefore_;
    seen_ = seen_ || (Accelerated(aircraft) && told);
    if (Accelerated(aircraft) && writes > (startFromPc ? 1u : 0u)) return "no clock write while not at 1x";
    if (!on || startFromPc || nowMs - returnedAtMs_ > settleMs) returnedAtMs_ = kNone;
    if (returnedAtMs_ == kNone) return {};
    writesSinceReturn_ += writes;
    if (startLoc && writesSinceReturn_ > 0) return "after Start Loc nothing is written when back at 1x";
    if (writesSinceReturn_ > (twoCorrections ? 2u : 1u)) return "after Start one correction when back at 1x";
    return {};
  }

 private:
  static constexpr int64_t kNone = INT64_MIN / 2;  // no return to 1x being watched
  int64_t returnedAtMs_ = kNone;
  uint32_t writesBefore_ = 0, writesSinceReturn_ = 0;
  bool seen_ = false;
};

}  // namespace horavia::soak
