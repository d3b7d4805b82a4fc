// Writing the simulator's clock, and what the read after a write tells of
// the simulator: some take a written second as 0 and set only hours and
// minutes. For those the clock is written at the internal clock's next full
// minute, from the half-second tick, with second 0.

#include <cstdint>

#include "base/calendar.h"
#include "windows/main_window_model.h"
#include "link/simulator_offsets.h"
#include "windows/sounds.h"

namespace horavia {
namespace {

// A written second from which a simulator that zeroes seconds can be told
// apart from one that took it and has moved on by a second.
constexpr int32_t kTellingSecond = 5;
// The tick may come up to a second after the minute began.
constexpr int32_t kLatestSecondAtMinute = 1;

}  // namespace

void MainWindowModel::QueueTimeWrite(const ClockParts& local, int32_t second, bool fromStart) {
  const ClockParts zulu = AddSeconds(local, -state_.zuluOffset * 60);
  const uint8_t values[5] = {static_cast<uint8_t>(local.hour), static_cast<uint8_t>(local.minute),
                             static_cast<uint8_t>(second), static_cast<uint8_t>(zulu.hour),
                             static_cast<uint8_t>(zulu.minute)};
  LinkResult result = LinkResult::Ok;
  Link& link = context_.link;
  link.Write(offsets::kLocalHour, 1, &values[0], result);
  link.Write(offsets::kLocalMinute, 1, &values[1], result);
  link.Write(offsets::kSecond, 1, &values[2], result);
  link.Write(offsets::kZuluHour, 1, &values[3], result);
  link.Write(offsets::kZuluMinute, 1, &values[4], result);
  state_.lastClockWrite = ClockWrite{local.hour, local.minute, second, fromStart};
}

bool MainWindowModel::ExchangeClockWrite() {
  if (Exchange()) return true;
  state_.lastClockWrite.reset();  // nothing was written to learn from
  return false;
}

void MainWindowModel::QueueDateWrite(const ClockParts& local) {
  const ClockParts zulu = AddSeconds(local, -state_.zuluOffset * 60);
  const auto dayOfYear = static_cast<uint16_t>(DayOfYear(DateOf(zulu)));
  const auto year = static_cast<uint16_t>(zulu.year);
  LinkResult result = LinkResult::Ok;
  context_.link.Write(offsets::kZuluDayOfYear, 2, &dayOfYear, result);
  context_.link.Write(offsets::kZuluYear, 2, &year, result);
}

// Hours and minutes took but a second of 5 or more came back as 0 or 1:
// the simulator zeroes seconds, and is now behind by what was written.
void MainWindowModel::LearnFromReadBack(int32_t hour, int32_t minute, int32_t second) {
  if (!state_.lastClockWrite) return;
  const ClockWrite written = *state_.lastClockWrite;
  state_.lastClockWrite.reset();
  if (written.second < kTellingSecond || second > 1 || hour != written.hour ||
      minute != written.minute) {
    return;
  }
  state_.simulatorZeroesSeconds = true;
  state_.minuteWriteDue = state_.on;
  if (!written.fromStart || !state_.on) return;
  // The start meant the internal clock to be the PC clock; the simulator's
  // zeroed seconds must not be taken for it.
  state_.minuteWriteWithDate = true;
  if (state_.internalClockOffset == kNone) {
    state_.internalClockOffset = 0;
    ShowInternalClock();
  }
}

bool MainWindowModel::AtFullMinute(const ClockParts& internal) const {
  return internal.second <= kLatestSecondAtMinute;
}

// The simulator is read again first: it may have moved into another zone
// since the cycle that found it off, and then it is followed, not set back.
void MainWindowModel::WriteClockAtMinute() {
  if (!state_.on || !state_.minuteWriteDue) return;
  const int32_t offset = state_.internalClockOffset == kNone ? 0 : state_.internalClockOffset;
  if (!AtFullMinute(AddSeconds(PartsOf(context_.os.clock.Now()), offset))) return;
  atFullMinute_ = true;
  SyncCycle();
  atFullMinute_ = false;
}

// Second 0 is right only now; a read that took long enough to pass the
// minute's first second waits for the next one.
void MainWindowModel::QueueZeroedSecondsCorrection() {
  const ClockParts& internal = state_.internalClock;
  if (!atFullMinute_ || !AtFullMinute(internal)) {
    state_.minuteWriteDue = true;
    return;
  }
  QueueTimeWrite(internal, 0, false);
  if (state_.minuteWriteWithDate) QueueDateWrite(internal);
  state_.minuteWriteDue = false;
  state_.minuteWriteWithDate = false;
}

}  // namespace horavia
