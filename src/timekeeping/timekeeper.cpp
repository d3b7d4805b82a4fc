#include "timekeeping/timekeeper.h"

#include <cstdlib>
#include <utility>

#include "base/calendar.h"

namespace horavia {
namespace {

constexpr int32_t kToleranceSeconds = 5;
constexpr int32_t kZoneJumpMinutes = 10;
// The half-second tick may come up to a second after the minute began.
constexpr int32_t kLatestSecondAtMinute = 1;
constexpr int32_t kSecondsPerDay = 86400;
// The simulator's second that the internal clock is taken from began up to
// a second before the read: it is taken as half gone.
constexpr int64_t kHalfSecondMs = 500;
// A read-back this near the distance before the write shows a write that
// was not taken (the write and the read-back may span a second).
constexpr int32_t kUntakenSlackSeconds = 2;
constexpr int32_t kUntakenInARow = 2;

bool WithinTolerance(int32_t drift) {
  return drift >= -kToleranceSeconds && drift <= kToleranceSeconds;
}

// The simulator's date moved by whole days while its time of day stayed
// within the tolerance.
bool MovedByWholeDays(int32_t drift) {
  const int64_t wholeDays = FloorDiv(int64_t{drift} + kSecondsPerDay / 2, kSecondsPerDay);
  return wholeDays != 0 && WithinTolerance(static_cast<int32_t>(drift - wholeDays * kSecondsPerDay));
}

}  // namespace

ClockParts Timekeeper::InternalClockAt(const ClockParts& pc, int64_t elapsedMs) const {
  if (elapsedBase_) {
    return FromSecondsSinceEpoch(SecondsSinceEpoch(*elapsedBase_) +
                                 FloorDiv(elapsedMs - elapsedBaseMs_, 1000));
  }
  return internalClockOffset_ ? AddSeconds(pc, *internalClockOffset_) : pc;
}

const Clocks& Timekeeper::Refresh() {
  clocks_.pc = PartsOf(pcClock_.Now());
  clocks_.internal = InternalClockAt(clocks_.pc, pcClock_.ElapsedMs());
  return clocks_;
}

ClockParts Timekeeper::InternalClockNow() const {
  return InternalClockAt(PartsOf(pcClock_.Now()), pcClock_.ElapsedMs());
}

std::optional<int32_t> Timekeeper::InternalClockOffset() const {
  if (elapsedBase_) return SecondsBetween(clocks_.pc, clocks_.internal);
  return internalClockOffset_;
}

bool Timekeeper::FullMinuteNow() const {
  return on_ && minuteWriteDue_ && InternalClockNow().second <= kLatestSecondAtMinute;
}

void Timekeeper::SwitchOn(StartMode mode) {
  on_ = true;
  mode_ = mode;
  chronometers_ = {};
}

void Timekeeper::SwitchOff() {
  on_ = false;
  internalClockOffset_.reset();
  elapsedBase_.reset();
  previousZuluOffset_.reset();
  minuteWriteDue_ = false;
  minuteWriteWithDate_ = false;
  correctedDistance_.reset();
  untakenCorrections_ = 0;
  heldDistance_.reset();
  pcAheadOfElapsed_.reset();
  accelerated_ = false;
}

void Timekeeper::StartOnPcClockAtNextMinute() {
  internalClockOffset_ = 0;
  minuteWriteDue_ = true;
  minuteWriteWithDate_ = true;
}

// The simulator is now behind by the seconds it dropped. After a start from
// the PC clock, the internal clock is the PC clock: the simulator's zeroed
// seconds must not be taken for it.
void Timekeeper::SecondsZeroed(bool byStartWrite) {
  minuteWriteDue_ = on_;
  if (!byStartWrite || !on_) return;
  minuteWriteWithDate_ = true;
  if (!internalClockOffset_ && !elapsedBase_) {
    internalClockOffset_ = 0;
    Refresh();
  }
}

void Timekeeper::CountInterval(const AircraftFlags& flags, int32_t seconds) {
  paused_ = flags.paused;
  if (flags.paused) return;
  (flags.onGround ? chronometers_.groundSeconds : chronometers_.flightSeconds) += seconds;
  chronometers_.totalSeconds = chronometers_.flightSeconds + chronometers_.groundSeconds;
}

std::optional<LogEntry> Timekeeper::TakeFinishedPeriod(int32_t minimum) {
  if (chronometers_.totalSeconds <= minimum) return std::nullopt;
  chronometers_.totalSeconds = 0;
  return LogEntry{clocks_.pc, chronometers_.flightSeconds, chronometers_.groundSeconds};
}

void Timekeeper::TakeInternalClockFrom(const ClockParts& simulatorLocal) {
  if (mode_ == StartMode::SimulatorTime) {
    elapsedBase_ = simulatorLocal;
    elapsedBaseMs_ = pcClock_.ElapsedMs() - kHalfSecondMs;
  } else {
    internalClockOffset_ = SecondsBetween(clocks_.pc, simulatorLocal);
  }
  Refresh();
}

void Timekeeper::FollowZoneByItsDifference() {
  if (previousZuluOffset_ &&
      AbsDifference(zuluOffset_, *previousZuluOffset_) > kZoneJumpMinutes) {
    const int32_t seconds = (zuluOffset_ - *previousZuluOffset_) * 60;
    if (elapsedBase_) {
      elapsedBase_ = AddSeconds(*elapsedBase_, seconds);
    } else {
      internalClockOffset_ = internalClockOffset_.value_or(0) + seconds;
    }
    Refresh();
  }
  previousZuluOffset_ = zuluOffset_;
}

std::optional<ClockCorrection> Timekeeper::Keep(const SimClockReading& reading,
                                                bool zeroesSeconds, bool atFullMinute) {
  if (!reading.IsCalendarTime()) return std::nullopt;
  const ClockParts simulatorLocal = reading.Local();
  if (!FollowSimulator(reading, simulatorLocal)) return std::nullopt;
  return CorrectionFor(reading, simulatorLocal, zeroesSeconds, atFullMinute);
}

bool Timekeeper::FollowSimulator(const SimClockReading& reading, const ClockParts& simulatorLocal) {
  if (!internalClockOffset_ && !elapsedBase_) TakeInternalClockFrom(simulatorLocal);
  // The pilot runs the simulator faster or slower: its clock is left alone,
  // a correction waiting for the full minute included.
  const bool wasAccelerated = std::exchange(accelerated_, !reading.RealTime());
  const bool backInRealTime = wasAccelerated && !accelerated_;
  if (wasAccelerated || accelerated_) FollowZoneByItsDifference();
  if (accelerated_) {
    correctedDistance_.reset();
    minuteWriteDue_ = false;
    return false;
  }
  if (backInRealTime && mode_ == StartMode::SimulatorTime) TakeInternalClockFrom(simulatorLocal);
  // The simulator moved into another time zone: follow it instead of
  // forcing the old local time back.
  if (previousZuluOffset_ &&
      AbsDifference(zuluOffset_, *previousZuluOffset_) > kZoneJumpMinutes) {
    TakeInternalClockFrom(simulatorLocal);
  }
  previousZuluOffset_ = zuluOffset_;
  // The pilot set the simulator to another date: followed the same way;
  // not where the date moved while the simulator ran fast. A step of the
  // PC's clock moves the internal clock after Start: that is no date the
  // pilot chose, and the simulator follows the PC.
  const int64_t pcAhead = SecondsSinceEpoch(clocks_.pc) - FloorDiv(pcClock_.ElapsedMs(), 1000);
  const bool pcStepped =
      pcAheadOfElapsed_ && std::abs(pcAhead - *pcAheadOfElapsed_) > kToleranceSeconds;
  pcAheadOfElapsed_ = pcAhead;
  if (!backInRealTime && !(pcStepped && mode_ == StartMode::SystemTime) &&
      MovedByWholeDays(SecondsBetween(clocks_.internal, simulatorLocal))) {
    TakeInternalClockFrom(simulatorLocal);
  }
  return true;
}

std::optional<ClockCorrection> Timekeeper::CorrectionFor(const SimClockReading& reading,
                                                         const ClockParts& simulatorLocal,
                                                         bool zeroesSeconds, bool atFullMinute) {
  const ClockParts& internal = clocks_.internal;
  const int32_t drift = SecondsBetween(internal, simulatorLocal);
  correctedDistance_.reset();
  if (WithinTolerance(drift)) {
    minuteWriteDue_ = false;
    untakenCorrections_ = 0;
    heldDistance_.reset();
    return std::nullopt;
  }
  // Held until the distance moves by more than the tolerance: less may be
  // no more than the second or two that each read may be off by.
  if (heldDistance_ && AbsDifference(drift, *heldDistance_) <= kToleranceSeconds) {
    minuteWriteDue_ = false;
    return std::nullopt;
  }
  if (heldDistance_) untakenCorrections_ = 0;  // the distance changed: two more tries
  heldDistance_.reset();
  // Only the time of day written would leave the simulator on its own date.
  const bool otherDate = DateOf(internal) != DateOf(simulatorLocal) ||
                         DateOf(AddSeconds(internal, -zuluOffset_ * 60)) != reading.ZuluDate();
  if (!zeroesSeconds) {
    correctedDistance_ = drift;
    return ClockCorrection{internal, internal.second, otherDate};
  }
  // Second 0 is right only at the full minute; a read that took long
  // enough to pass its first second waits for the next one.
  if (!atFullMinute || internal.second > kLatestSecondAtMinute) {
    minuteWriteDue_ = true;
    return std::nullopt;
  }
  const ClockCorrection correction{internal, 0, minuteWriteWithDate_ || otherDate};
  minuteWriteDue_ = false;
  minuteWriteWithDate_ = false;
  correctedDistance_ = drift;
  return correction;
}

void Timekeeper::ReadBack(const SimClockReading& reading) {
  if (!correctedDistance_ || !reading.IsCalendarTime()) return;
  const int32_t distance = SecondsBetween(clocks_.internal, reading.Local());
  const bool untaken = AbsDifference(distance, *correctedDistance_) <= kUntakenSlackSeconds;
  correctedDistance_.reset();
  untakenCorrections_ = untaken ? untakenCorrections_ + 1 : 0;
  if (untakenCorrections_ >= kUntakenInARow) heldDistance_ = distance;
}

}  // namespace horavia
