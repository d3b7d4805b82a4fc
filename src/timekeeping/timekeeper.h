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

// The timekeeper: ON or OFF; the internal clock; the rules that keep the
// simulator's clock on it; and the chronometers.
//
// After Start the internal clock is the PC's local clock moved by an
// offset, so the simulator follows the PC's time, a daylight-saving change
// included. After Start Loc the pilot chose the simulator's own time: the
// internal clock runs on the system's elapsed time from where it was taken,
// and a step of the PC's clock does not move it.
class Timekeeper {
 public:
  explicit Timekeeper(Clock& pcClock) : pcClock_(pcClock) {}

  bool On() const { return on_; }
  bool Paused() const { return paused_; }
  int32_t ZuluOffset() const { return zuluOffset_; }
  // The internal clock minus the PC clock, as of the last refresh.
  std::optional<int32_t> InternalClockOffset() const;
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

  void SwitchOn(StartMode mode);
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
  // simulator when it has none yet, when the simulator has moved into
  // another time zone, or when the pilot moved its date by whole days; a
  // simulator more than 5 seconds off it is to be corrected now, or, when
  // it zeroes seconds, at the next full minute (`atFullMinute`: the read was
  // made then), with the date where the dates differ. A reading that is no
  // calendar time is not used.
  //
  // A simulator that runs faster or slower than real time runs so at the
  // pilot's choice: while it does, nothing is corrected and the internal
  // clock is not taken from it (a zone it flies into still moves the
  // internal clock by the zone's difference). Back at real time, after
  // Start it is corrected to the internal clock (the PC's time), after
  // Start Loc the internal clock is taken from it.
  std::optional<ClockCorrection> Keep(const SimClockReading& reading, bool zeroesSeconds,
                                      bool atFullMinute);
  // The read right after a correction. A simulator that twice in a row does
  // not take the write is not corrected again until the distance between
  // the two clocks changes: it would be written at every cycle.
  void ReadBack(const SimClockReading& reading);
  bool CorrectionsHeld() const { return heldDistance_.has_value(); }

 private:
  // The internal clock taken or moved where the pilot moved the simulator;
  // false while its clock is not in real time.
  bool FollowSimulator(const SimClockReading& reading, const ClockParts& simulatorLocal);
  std::optional<ClockCorrection> CorrectionFor(const SimClockReading& reading,
                                               const ClockParts& simulatorLocal,
                                               bool zeroesSeconds, bool atFullMinute);
  void TakeInternalClockFrom(const ClockParts& simulatorLocal);
  // Zones followed while the simulator's clock is not in real time.
  void FollowZoneByItsDifference();
  ClockParts InternalClockAt(const ClockParts& pc, int64_t elapsedMs) const;

  Clock& pcClock_;
  StartMode mode_ = StartMode::SystemTime;
  Clocks clocks_;
  bool on_ = false;
  bool paused_ = false;
  int32_t zuluOffset_ = 0;  // minutes, simulator local minus Zulu, -720..720
  std::optional<int32_t> previousZuluOffset_;  // seen by the last ON cycle
  std::optional<int32_t> internalClockOffset_;  // after Start: seconds added to the PC clock
  // After Start Loc: the internal clock at an elapsed time (the simulator's
  // second it was taken from taken as half gone).
  std::optional<ClockParts> elapsedBase_;
  int64_t elapsedBaseMs_ = 0;
  // The distance of the last correction, until the read-back shows it taken.
  std::optional<int32_t> correctedDistance_;
  int32_t untakenCorrections_ = 0;
  std::optional<int32_t> heldDistance_;
  // The PC clock minus elapsed time at the last read, to tell its steps.
  std::optional<int64_t> pcAheadOfElapsed_;
  Chronometers chronometers_;
  bool minuteWriteDue_ = false;
  bool minuteWriteWithDate_ = false;
  bool accelerated_ = false;  // the last reading while ON was not in real time
};

}  // namespace horavia
