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
  int pcClockSteps = 0, dateMoves = 0, writesIgnored = 0, rateChanges = 0;  // events of these kinds
  int otherDateChecks = 0;    // clock checks with the internal clock on another date than the PC
  bool Passed() const { return failure.empty(); }
};

// `hours` simulated hours of the main window against the in-process
// simulator, from an evening of 31 December, with random events drawn from
// `seed` (the same seed replays the same session); its invariants are checked
// after every handler on full dates and times, and its log at the end against
// the run's own count of the ON periods.
SoakResult RunSoak(uint64_t seed, int hours);

}  // namespace horavia::soak
