#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace horavia {

// Marks an offset field of MainState as not set. Compared for equality only.
inline constexpr int32_t kNone = 999999999;

// Six clock parts as the main window keeps them.
struct ClockParts {
  int32_t hour = 0;    // 0..23
  int32_t minute = 0;
  int32_t second = 0;
  int32_t month = 0;
  int32_t day = 0;
  int32_t year = 0;

  friend bool operator==(const ClockParts&, const ClockParts&) = default;
};

// A finished ON period that is due in the log but could not be written yet
// (another program held the file): the PC time of the last clock refresh
// before the period ended, and its chronometers. It is written later with
// that same stamp, before any newer entry.
struct PendingEntry {
  ClockParts stamp;
  int32_t flightSeconds = 0;
  int32_t groundSeconds = 0;

  friend bool operator==(const PendingEntry&, const PendingEntry&) = default;
};

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
  int32_t G = 0;  // ground chronometer, seconds
  int32_t F = 0;  // flight chronometer, seconds
  int32_t T = 0;  // total chronometer, seconds
  std::string simClockText;
  // Oldest first; kept whatever the timekeeper does until they are written.
  std::vector<PendingEntry> pendingEntries;
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
