#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "ports/clock.h"

namespace simstandin {

// The simulated aircraft behind the stand-in: 64 KiB of offsets, most of
// them plain memory, with the clock, date, flags, versions and message text
// that Horavia uses given life.
//
// The clock: local time starts at the PC's local time and runs on the
// system's elapsed time, moved by an offset in seconds, so a step of the
// PC's clock (a daylight-saving change, a time service) does not move it.
// Zulu time is local time minus the zone (minutes, local minus Zulu, kept
// within -720..+840 as real zones are); 0x0246 serves the zone as minutes
// local time is behind Zulu; the date at 0x023E/0x0240 is the Zulu date. A
// client writing
//   - local hour, minute or second (0x0238..0x023A) moves local time to that
//     time of day on the same local day; Zulu moves with it;
//   - Zulu hour or minute (0x023B, 0x023C) keeps local time and changes the
//     zone by the least that makes Zulu time show that hour and minute (so
//     a write of local and Zulu times 13 hours apart keeps a zone of +13 h),
//     the Zulu date following;
//   - day of year or year (0x023E, 0x0240) moves the clock by whole days to
//     that Zulu date, keeping the time of day.
// Values out of range are taken as arithmetic (hour 24 is the next day's 0).
// The clock runs at the simulation rate (256 = real time, 1024 = 4x, 128 =
// 1/2x), served at 0x0C1A; rate 0 plays a simulator that does not serve it:
// its clock runs in real time and 0x0C1A stays 0.
// Like the simulators whose only control of the seconds is "set them to
// zero", the aircraft can be told to take a written second as 0; and like a
// simulator that holds its clock, to take no write of the clock at all.
// Writing the display time (0x32FA) shows the message text at 0x3380.
class SimAircraft {
 public:
  static constexpr uint32_t kMemorySize = 0x10000;
  static constexpr uint32_t kDefaultInterfaceVersion = 0x19980005;
  static constexpr uint32_t kDefaultSimulatorVersion = 0xFADE000C;

  explicit SimAircraft(horavia::Clock& clock);

  // Offsets past the 64 KiB read as zero and take no writes.
  void Read(uint32_t offset, uint32_t size, uint8_t* out);
  void Write(uint32_t offset, uint32_t size, const uint8_t* in);

  void SetLocalTime(int32_t hour, int32_t minute, int32_t second);
  void SetZone(int32_t localMinusZuluMinutes);
  void SetZuluDate(int32_t dayOfYear, int32_t year);
  void Drift(int64_t seconds);
  // The clock goes on from where it is at the new rate.
  void SetRate(int32_t rate256);
  int32_t Rate() const { return rate256_; }
  void SetPaused(bool paused);
  void SetOnGround(bool onGround);
  void SetVersions(uint32_t interfaceVersion, uint32_t simulatorVersion);
  void SetZeroesWrittenSeconds(bool zeroes) { zeroesWrittenSeconds_ = zeroes; }
  bool ZeroesWrittenSeconds() const { return zeroesWrittenSeconds_; }
  void SetIgnoresClockWrites(bool ignores) { ignoresClockWrites_ = ignores; }
  bool IgnoresClockWrites() const { return ignoresClockWrites_; }
  // Writes that touched the local hour (each write of the clock does).
  uint32_t ClockWrites() const { return clockWrites_; }

  struct Snapshot {
    int32_t localHour, localMinute, second, zuluHour, zuluMinute;
    int32_t zuluDayOfYear, zuluYear, zone;
    bool paused, onGround;
  };
  Snapshot Now();
  // One line for journals and the window.
  std::string Describe();

  // Each write of the display time counts one showing.
  uint32_t MessageShows() const { return messageShows_; }
  uint16_t MessageSeconds() const { return messageSeconds_; }
  std::string MessageText() const;

 private:
  using Seconds = std::chrono::sys_seconds;
  Seconds Local();
  int64_t LocalMs();
  int64_t RunMs(int64_t elapsedMs) const;
  Seconds Zulu() { return Local() - std::chrono::minutes{zone_}; }
  void Refresh();
  uint16_t Load16(uint32_t at) const;
  void Store16(uint32_t at, uint16_t value);
  void Store32(uint32_t at, uint32_t value);
  void SetZuluHourMinute(int32_t hour, int32_t minute);

  horavia::Clock& clock_;
  std::unique_ptr<uint8_t[]> memory_;
  int64_t startMs_ = 0;         // the PC's local time at the start, in ms since 1970
  int64_t startElapsedMs_ = 0;  // the system's elapsed time then
  int32_t rate256_ = 256;       // since that start
  int64_t offsetSeconds_ = 0;
  int32_t zone_ = 0;
  uint32_t messageShows_ = 0;
  uint16_t messageSeconds_ = 0;
  bool zeroesWrittenSeconds_ = false;
  bool ignoresClockWrites_ = false;
  uint32_t clockWrites_ = 0;
};

}  // namespace simstandin
