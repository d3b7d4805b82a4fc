#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/clock_parts.h"
#include "chronolog/log_format.h"

namespace horavia {

// Marks an offset field of MainState as not set. Compared for equality only.
inline constexpr int32_t kNone = 999999999;



// The time of day a write put into the simulator's clock, so that the next
// read can tell whether the simulator took its seconds.
struct ClockWrite {
  int32_t hour = 0;
  int32_t minute = 0;
  int32_t second = 0;
  bool fromStart = false;  // the write of a start from the PC clock
};

// The main window's run-time record; one instance for the whole run.
struct MainState {
  bool connected = false;
  bool on = false;  // the timekeeper state: ON (true) or OFF (false)
  bool paused = false;
  int32_t zuluOffset = 0;             // minutes, simulator local minus Zulu, -720..720
  int32_t previousZuluOffset = kNone; // minutes
  int32_t internalClockOffset = kNone; // seconds added to the PC clock
  bool displayOnly = false;
  ClockParts pcClock;
  std::string pcDateTimeText;
  ClockParts internalClock;
  std::string internalDateTimeText;
  bool show24Hour = false;
  bool showZulu = false;
  bool showChronometers = false;
  int32_t groundSeconds = 0;  // the chronometers
  int32_t flightSeconds = 0;
  int32_t totalSeconds = 0;
  std::string simClockText;
  // Oldest first; kept whatever the timekeeper does until they are written.
  std::vector<LogEntry> pendingEntries;
  // Some simulators take a written second as 0, setting only hours and
  // minutes. Learned per connection from the read after a write.
  bool simulatorZeroesSeconds = false;
  std::optional<ClockWrite> lastClockWrite;
  // For such a simulator a correction waits for the internal clock's next
  // full minute, when second 0 is right; `withDate` when it is the time write
  // of a start from the PC clock, which brings the Zulu date along.
  bool minuteWriteDue = false;
  bool minuteWriteWithDate = false;
};

}  // namespace horavia
