#include "timekeeping/timekeeper.h"

#include "base/calendar.h"

namespace horavia {
namespace {

constexpr int32_t kToleranceSeconds = 5;
constexpr int32_t kZoneJumpMinutes = 10;
// The half-second tick may come up to a second after the minute began.
constexpr int32_t kLatestSecondAtMinute = 1;

}  // namespace

const Clocks& Timekeeper::Refresh() {
  clocks_.pc = PartsOf(pcClock_.Now());
  clocks_.internal =
      internalClockOffset_ ? AddSeconds(clocks_.pc, *internalClockOffset_) : clocks_.pc;
  return clocks_;
}

ClockParts Timekeeper::InternalClockNow() const {
  return AddSeconds(PartsOf(pcClock_.Now()), internalClockOffset_.value_or(0));
}

bool Timekeeper::FullMinuteNow() const {
  return on_ && minuteWriteDue_ && InternalClockNow().second <= kLatestSecondAtMinute;
}

void Timekeeper::SwitchOn() {
  on_ = true;
  chronometers_ = {};
}

void Timekeeper::SwitchOff() {
  on_ = false;
  internalClockOffset_.reset();
  previousZuluOffset_.reset();
  minuteWriteDue_ = false;
  minuteWriteWithDate_ = false;
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
  if (!internalClockOffset_) {
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
  internalClockOffset_ = SecondsBetween(clocks_.pc, simulatorLocal);
  Refresh();
}

std::optional<ClockCorrection> Timekeeper::Keep(const SimClockReading& reading,
                                                bool zeroesSeconds, bool atFullMinute) {
  const ClockParts simulatorLocal = reading.Local();
  if (!internalClockOffset_) TakeInternalClockFrom(simulatorLocal);
  // The simulator moved into another time zone: follow it instead of
  // forcing the old local time back.
  if (previousZuluOffset_ &&
      AbsDifference(zuluOffset_, *previousZuluOffset_) > kZoneJumpMinutes) {
    TakeInternalClockFrom(simulatorLocal);
  }
  previousZuluOffset_ = zuluOffset_;

  const ClockParts& internal = clocks_.internal;
  const int32_t drift = SecondsBetween(internal, simulatorLocal);
  if (drift >= -kToleranceSeconds && drift <= kToleranceSeconds) {
    minuteWriteDue_ = false;
    return std::nullopt;
  }
  if (!zeroesSeconds) return ClockCorrection{internal, internal.second, false};
  // Second 0 is right only at the full minute; a read that took long
  // enough to pass its first second waits for the next one.
  if (!atFullMinute || internal.second > kLatestSecondAtMinute) {
    minuteWriteDue_ = true;
    return std::nullopt;
  }
  const ClockCorrection correction{internal, 0, minuteWriteWithDate_};
  minuteWriteDue_ = false;
  minuteWriteWithDate_ = false;
  return correction;
}

}  // namespace horavia
