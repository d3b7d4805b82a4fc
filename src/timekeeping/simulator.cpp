#include "timekeeping/simulator.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "base/calendar.h"
#include "timekeeping/simulator_offsets.h"

namespace horavia {
namespace {

// A written second from which a simulator that zeroes seconds can be told
// apart from one that took it and has moved on by a second.
constexpr int32_t kTellingSecond = 5;
constexpr size_t kMessageBytes = 128;  // 127 text bytes and the terminating zero
constexpr uint16_t kDisplaySeconds = 5;

}  // namespace

void Simulator::NewConnection() {
  zeroesSeconds_ = false;
  lastWrite_.reset();
}

bool Simulator::Exchange(std::span<const LinkRequest> requests) {
  if (failed_) return false;
  failed_ = link_.Exchange(requests) != LinkResult::Ok;
  return !failed_;
}

// Each value lands in a 32-bit variable that is zero before the read, so
// it is taken as the unsigned number the simulator holds; the zone, read
// after the seven, is signed. The whole read ends with the simulation rate.
std::optional<SimClockReading> Simulator::Read(bool withDate) {
  uint32_t localHour = 0, localMinute = 0, second = 0, zuluHour = 0, zuluMinute = 0;
  uint32_t dayOfYear = 0, year = 0;
  int16_t zoneBehindZulu = 0;
  uint32_t rate256 = 0;
  const LinkRequest zone = LinkRequest::Read(offsets::kZoneBehindZulu, 2, &zoneBehindZulu);
  const LinkRequest reads[] = {LinkRequest::Read(offsets::kLocalHour, 1, &localHour),
                               LinkRequest::Read(offsets::kLocalMinute, 1, &localMinute),
                               LinkRequest::Read(offsets::kSecond, 1, &second),
                               LinkRequest::Read(offsets::kZuluHour, 1, &zuluHour),
                               LinkRequest::Read(offsets::kZuluMinute, 1, &zuluMinute),
                               LinkRequest::Read(offsets::kZuluDayOfYear, 2, &dayOfYear),
                               LinkRequest::Read(offsets::kZuluYear, 2, &year),
                               zone,
                               LinkRequest::Read(offsets::kSimulationRate, 2, &rate256)};
  const LinkRequest timeOfDayReads[] = {reads[0], reads[1], reads[2], reads[3], reads[4], zone};
  if (!Exchange(withDate ? std::span<const LinkRequest>(reads) : timeOfDayReads)) return std::nullopt;
  return SimClockReading{static_cast<int32_t>(localHour),  static_cast<int32_t>(localMinute),
                         static_cast<int32_t>(second),     static_cast<int32_t>(zuluHour),
                         static_cast<int32_t>(zuluMinute), static_cast<int32_t>(dayOfYear),
                         static_cast<int32_t>(year),       zoneBehindZulu,
                         static_cast<int32_t>(rate256)};
}

std::optional<SimClockReading> Simulator::ReadClock() {
  finding_ = SecondsFinding::None;
  std::optional<SimClockReading> reading = Read(true);
  if (reading) LearnFromRead(*reading);
  return reading;
}

std::optional<SimClockReading> Simulator::ReadTimeOfDay() { return Read(false); }

// Hours and minutes took but a second of 5 or more came back as 0 or 1:
// the simulator zeroes seconds.
void Simulator::LearnFromRead(const SimClockReading& reading) {
  if (!lastWrite_) return;
  const ClockWrite written = *lastWrite_;
  lastWrite_.reset();
  if (written.second < kTellingSecond || reading.second > 1 || reading.localHour != written.hour ||
      reading.localMinute != written.minute) {
    return;
  }
  zeroesSeconds_ = true;
  finding_ = written.fromStart ? SecondsFinding::ZeroedAfterStart : SecondsFinding::Zeroed;
}

std::optional<AircraftFlags> Simulator::ReadFlags() {
  uint32_t onGround = 0;
  uint32_t paused = 0;
  const LinkRequest reads[] = {LinkRequest::Read(offsets::kOnGround, 2, &onGround),
                               LinkRequest::Read(offsets::kPaused, 2, &paused)};
  if (!Exchange(reads)) return std::nullopt;
  return AircraftFlags{onGround != 0, paused != 0};
}

bool Simulator::WriteClock(const ClockParts& local, int32_t second, int32_t zuluOffset,
                           ClockFields fields, bool fromStart) {
  const ClockParts zulu = AddSeconds(local, -zuluOffset * 60);
  const uint8_t time[5] = {static_cast<uint8_t>(local.hour), static_cast<uint8_t>(local.minute),
                           static_cast<uint8_t>(second), static_cast<uint8_t>(zulu.hour),
                           static_cast<uint8_t>(zulu.minute)};
  const auto dayOfYear = static_cast<uint16_t>(DayOfYear(DateOf(zulu)));
  const auto year = static_cast<uint16_t>(zulu.year);
  const LinkRequest timeWrites[] = {LinkRequest::Write(offsets::kLocalHour, 1, &time[0]),
                                    LinkRequest::Write(offsets::kLocalMinute, 1, &time[1]),
                                    LinkRequest::Write(offsets::kSecond, 1, &time[2]),
                                    LinkRequest::Write(offsets::kZuluHour, 1, &time[3]),
                                    LinkRequest::Write(offsets::kZuluMinute, 1, &time[4]),
                                    LinkRequest::Write(offsets::kZuluDayOfYear, 2, &dayOfYear),
                                    LinkRequest::Write(offsets::kZuluYear, 2, &year)};
  std::span<const LinkRequest> writes(timeWrites);
  if (fields == ClockFields::TimeOfDay) writes = writes.first(5);
  if (fields == ClockFields::Date) writes = writes.last(2);
  if (!Exchange(writes)) {
    lastWrite_.reset();  // nothing was written to learn from
    return false;
  }
  if (fields != ClockFields::Date) lastWrite_ = ClockWrite{local.hour, local.minute, second, fromStart};
  return true;
}

bool Simulator::ShowText(std::string_view bytes) {
  std::array<char, kMessageBytes> message{};
  std::memcpy(message.data(), bytes.data(), std::min(bytes.size(), kMessageBytes - 1));
  const uint16_t seconds = kDisplaySeconds;
  // The text must be in place before the display time that shows it.
  const LinkRequest writes[] = {
      LinkRequest::Write(offsets::kMessageText, kMessageBytes, message.data()),
      LinkRequest::Write(offsets::kMessageSeconds, 2, &seconds)};
  return Exchange(writes);
}

}  // namespace horavia
