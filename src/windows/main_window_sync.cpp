// The sync timer's work: the chronometer step and the sync cycle that keeps
// the simulator's clock on the internal clock.

#include <cstdint>

#include "base/calendar.h"
#include "windows/main_window_model.h"
#include "link/simulator_offsets.h"
#include "timekeeping/sync_rules.h"
#include "windows/sounds.h"

namespace horavia {
namespace {

constexpr int32_t kToleranceSeconds = 5;
constexpr int32_t kZoneJumpMinutes = 10;

}  // namespace

void MainWindowModel::OnSyncTick() {
  const HandlerScope scope(*this);
  if (!scope.Entered()) return;
  ChronometerStep();
  SyncCycle();
}

void MainWindowModel::ChronometerStep() {
  if (!state_.on) return;
  uint32_t onGround = 0;
  uint32_t paused = 0;
  LinkResult result = LinkResult::Ok;
  Link& link = context_.link;
  if (!link.Read(offsets::kOnGround, 2, &onGround, result)) return;
  link.Read(offsets::kPaused, 2, &paused, result);
  if (!Exchange()) return;
  if (paused != 0) {
    state_.paused = true;
    return;
  }
  state_.paused = false;
  const int32_t step = IntervalSeconds(syncTimer_.Interval());
  if (onGround != 0) {
    state_.groundSeconds += step;
  } else {
    state_.flightSeconds += step;
  }
  state_.totalSeconds = state_.flightSeconds + state_.groundSeconds;
}

void MainWindowModel::SyncCycle() {
  ShowInternalClock();
  if (!state_.connected) return;

  uint32_t localHour = 0, localMinute = 0, second = 0, zuluHour = 0, zuluMinute = 0;
  uint32_t dayOfYear = 0, year = 0;
  LinkResult result = LinkResult::Ok;
  Link& link = context_.link;
  const bool queued = link.Read(offsets::kLocalHour, 1, &localHour, result);
  link.Read(offsets::kLocalMinute, 1, &localMinute, result);
  link.Read(offsets::kSecond, 1, &second, result);
  link.Read(offsets::kZuluHour, 1, &zuluHour, result);
  link.Read(offsets::kZuluMinute, 1, &zuluMinute, result);
  link.Read(offsets::kZuluDayOfYear, 2, &dayOfYear, result);
  link.Read(offsets::kZuluYear, 2, &year, result);
  if (!queued || !Exchange()) {
    PlayWav(context_.os, kSoundWarning);
    MarkNotConnected();
    return;
  }
  // The simulator may answer only after time-outs and retries: its time is
  // compared with the PC clock of its answer, or the wait would count as
  // drift (and be written into it) or go into the internal clock offset.
  ShowInternalClock();

  // Every value is at most 16 bits wide, so the int32 arithmetic below
  // cannot overflow whatever the simulator answered.
  auto lh = static_cast<int32_t>(localHour);
  auto lm = static_cast<int32_t>(localMinute);
  const auto sec = static_cast<int32_t>(second);
  const auto zh = static_cast<int32_t>(zuluHour);
  const auto zm = static_cast<int32_t>(zuluMinute);
  state_.zuluOffset = ZuluOffsetMinutes(lh, lm, zh, zm);
  LearnFromReadBack(lh, lm, sec);

  const std::chrono::year_month_day zuluDate =
      DateFromDayOfYear(static_cast<int32_t>(year), static_cast<int32_t>(dayOfYear));
  const ClockParts zuluDateTime = PartsAt(zuluDate, zh, zm, sec);
  if (state_.showZulu) ShowSimClock(zh, zm, zuluDate);

  const ClockParts localDay = AddSeconds(zuluDateTime, state_.zuluOffset * 60);
  const ClockParts simLocal{lh, lm, sec, localDay.month, localDay.day, localDay.year};
  const std::chrono::year_month_day localDate = DateOf(simLocal);

  if (!state_.on || state_.displayOnly) {
    state_.displayOnly = false;
  } else {
    if (state_.internalClockOffset == kNone) {
      state_.internalClockOffset = SecondsBetween(state_.pcClock, simLocal);
      ShowInternalClock();
    }
    if (state_.previousZuluOffset != kNone &&
        AbsDifference(state_.zuluOffset, state_.previousZuluOffset) > kZoneJumpMinutes) {
      // The simulator moved into another time zone: follow it instead of
      // forcing the old local time back.
      state_.internalClockOffset = SecondsBetween(state_.pcClock, simLocal);
      ShowInternalClock();
    }
    state_.previousZuluOffset = state_.zuluOffset;

    const int32_t drift = SecondsBetween(state_.internalClock, simLocal);
    if (drift >= -kToleranceSeconds && drift <= kToleranceSeconds) {
      state_.minuteWriteDue = false;
    } else {
      // A simulator that zeroes seconds is written at the internal clock's
      // next full minute only, from the half-second tick.
      const ClockParts& internal = state_.internalClock;
      if (state_.simulatorZeroesSeconds) {
        QueueZeroedSecondsCorrection();
      } else {
        QueueTimeWrite(internal, internal.second, false);
      }
      if (!state_.minuteWriteDue) {
        lh = internal.hour;
        lm = internal.minute;
        if (ExchangeClockWrite() && !ReadBackAfterWrite()) return;
      }
    }
  }
  if (!state_.showZulu) ShowSimClock(lh, lm, localDate);
}

// The display-only cycle after a write shows the simulator as it is now and
// checks what it took. The sync sound tells of a correction that took; false
// when that read found the simulator gone, so that its warning is heard and
// no time is drawn over the not-connected display.
bool MainWindowModel::ReadBackAfterWrite() {
  state_.displayOnly = true;
  SyncCycle();
  if (!state_.connected) return false;
  if (!state_.paused && !state_.minuteWriteDue) PlayWav(context_.os, kSoundSync);
  return true;
}

}  // namespace horavia
