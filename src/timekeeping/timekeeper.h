#pragma once

#include <cstdint>
#include <optional>

#include "base/clock_parts.h"
#include "chronolog/log_format.h"
#include "ports/clock.h"
#include "timekeeping/sim_clock_reading.h"
#include "timekeeping/simulator.h"

namespace horavia {

// How the timekeeper is switched ON: from the PC's clock (which first sets
// the simulator's clock) or from the simulator's local time.
enum class StartMode { SystemTime, SimulatorTime };

// Whole seconds counted while ON, in steps of one sync interval.
struct Chronometers {
  int32_t flightSeconds = 0;
  int32_t groundSeconds = 0;
  int32_t totalSeconds = 0;  // flight plus ground at the last step; 0 once logged
};

// The PC clock and the internal clock at the last refresh.
struct Clocks {
  ClockParts pc;
  ClockParts internal;
};

// What the timekeeper asks to be written into the simulator's clock.
struct ClockCorrection {
  ClockParts local;  // the internal clock's time of day
  int32_t second = 0;
  bool withDate = false;
};

// The timekeeper: ON or OFF; the internal clock, which is the PC clock
// moved by an offset taken from the simulator; the rules that keep the
// simulator's clock on it; and the chronometers.
class Timekeeper {
 public:
  explicit Timekeeper(Clock& pcClock) : pcClock_(pcClock) {}

  bool On() const { return on_; }
  bool Paused() const { return paused_; }
  int32_t ZuluOffset() const { return zuluOffset_; }
  std::optional<int32_t> InternalClockOffset() const { return internalClockOffset_; }
  std::optional<int32_t> PreviousZuluOffset() const { return previousZuluOffset_; }
  const Chronometers& Counted() const { return chronometers_; }
  // A correction waits for the internal clock's next full minute (for a
  // simulator that zeroes seconds).
  bool MinuteWriteDue() const { return minuteWriteDue_; }
  // Whether that minute has come: ON, due, and the internal clock at the
  // minute's first second (or just past it).
  bool FullMinuteNow() const;

  // Reads the PC clock; the internal clock follows from it. Not a counter:
  // any change of the PC clock moves the internal clock too.
  const Clocks& Refresh();
  // As of the last refresh: the PC time stamps the log's entries.
  const Clocks& LastRefresh() const { return clocks_; }
  // The internal clock now, without a refresh.
  ClockParts InternalClockNow() const;

  void SwitchOn();
  void SwitchOff();
  // Every read of the simulator's clock gives its zone, ON or OFF.
  void SetZuluOffset(int32_t minutes) { zuluOffset_ = minutes; }
  // A start from the PC clock on a simulator known to zero seconds: the
  // internal clock is the PC clock, and the simulator is set (time and
  // date) at the next full minute.
  void StartOnPcClockAtNextMinute();
  // The simulator showed that it takes a written second as 0.
  void SecondsZeroed(bool byStartWrite);

  // One sync interval: unless paused, added wholly to the ground or the
  // flight chronometer by where the aircraft is at its end.
  void CountInterval(const AircraftFlags& flags, int32_t seconds);
  // A finished ON period with a total above `minimum`, stamped with the PC
  // time of the last refresh; the total starts again from 0.
  std::optional<LogEntry> TakeFinishedPeriod(int32_t minimum);

  // The rules for one read while ON: the internal clock is taken from the
  // simulator when it has none yet, or when the simulator has moved into
  // another time zone; a simulator more than 5 seconds off it is to be
  // corrected now, or, when it zeroes seconds, at the next full minute
  // (`atFullMinute`: the read was made then).
  std::optional<ClockCorrection> Keep(const SimClockReading& reading, bool zeroesSeconds,
                                      bool atFullMinute);

 private:
  void TakeInternalClockFrom(const ClockParts& simulatorLocal);

  Clock& pcClock_;
  Clocks clocks_;
  bool on_ = false;
  bool paused_ = false;
  int32_t zuluOffset_ = 0;  // minutes, simulator local minus Zulu, -720..720
  std::optional<int32_t> previousZuluOffset_;  // seen by the last ON cycle
  std::optional<int32_t> internalClockOffset_;  // seconds added to the PC clock
  Chronometers chronometers_;
  bool minuteWriteDue_ = false;
  bool minuteWriteWithDate_ = false;
};

}  // namespace horavia
