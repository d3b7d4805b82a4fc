#pragma once

#include <cstdint>
#include <string>

namespace horavia::soak {

// What a simulated session went through, and the first rule it broke.
struct SoakResult {
  std::string failure;  // "step N (PC time, what ran): rule"; empty when every rule held
  int64_t steps = 0;    // handlers run outside any message box
  int onPeriods = 0, loggedEntries = 0, disconnects = 0, boxes = 0;
  int heldLogSwitchOffs = 0;  // logged periods that ended while another program held the log
  int corrections = 0;        // sync sounds: the simulator's clock written back, not paused
  int otherDateSteps = 0;     // clock checks on the time of day alone (see RunSoak)
  bool Passed() const { return failure.empty(); }
};

// `hours` simulated hours of the main window against the in-process
// simulator, from an evening of 31 December, with random events drawn from
// `seed` (the same seed replays the same session); its invariants are checked
// after every handler, and its log at the end against the run's own count of
// the ON periods. While the simulator's local date differs from the internal
// clock's (a correction written just across midnight leaves it so, since only
// the time of day is written), the two clocks are compared on the time of
// day alone.
SoakResult RunSoak(uint64_t seed, int hours);

}  // namespace horavia::soak
