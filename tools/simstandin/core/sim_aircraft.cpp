#include "simstandin/core/sim_aircraft.h"

#include <cstdio>
#include <cstring>

#include "base/calendar.h"

namespace simstandin {

namespace {

using namespace std::chrono;

constexpr uint32_t kLocalHour = 0x0238;
constexpr uint32_t kLocalMinute = 0x0239;
constexpr uint32_t kSecond = 0x023A;
constexpr uint32_t kZuluHour = 0x023B;
constexpr uint32_t kZuluMinute = 0x023C;
constexpr uint32_t kDayOfYear = 0x023E;
constexpr uint32_t kYear = 0x0240;
constexpr uint32_t kZoneBehindZulu = 0x0246;
constexpr uint32_t kPaused = 0x0264;
constexpr uint32_t kOnGround = 0x0366;
constexpr uint32_t kRate = 0x0C1A;
constexpr uint32_t kDisplayTime = 0x32FA;
constexpr uint32_t kInterfaceVersion = 0x3304;
constexpr uint32_t kSimulatorVersion = 0x3308;
constexpr uint32_t kMessageText = 0x3380;
constexpr uint32_t kMessageSize = 128;
constexpr int32_t kRealTime = 256;  // the rate of a clock in real time

bool Touches(uint32_t offset, uint32_t size, uint32_t first, uint32_t length) {
  return uint64_t{offset} < uint64_t{first} + length && first < uint64_t{offset} + size;
}

struct Parts {
  int32_t hour, minute, second, dayOfYear, year;
};

Parts Split(sys_seconds t) {
  const sys_days day = floor<days>(t);
  const hh_mm_ss<seconds> tod{t - day};
  const year_month_day ymd{day};
  const sys_days newYear{ymd.year() / January / 1};
  return {static_cast<int32_t>(tod.hours().count()), static_cast<int32_t>(tod.minutes().count()),
          static_cast<int32_t>(tod.seconds().count()),
          static_cast<int32_t>((day - newYear).count()) + 1, static_cast<int32_t>(ymd.year())};
}

}  // namespace

SimAircraft::SimAircraft(horavia::Clock& clock)
    : clock_(clock), memory_(std::make_unique<uint8_t[]>(kMemorySize)) {
  const horavia::LocalDateTime pc = clock_.Now();
  startMs_ = horavia::SecondsSinceEpoch(horavia::PartsOf(pc)) * 1000 + pc.millisecond;
  startElapsedMs_ = clock_.ElapsedMs();
  SetVersions(kDefaultInterfaceVersion, kDefaultSimulatorVersion);
  SetOnGround(true);
  Store16(kRate, kRealTime);
}

// The clock's run since its start, at its rate.
int64_t SimAircraft::RunMs(int64_t elapsedMs) const {
  const int64_t rate = rate256_ == 0 ? kRealTime : rate256_;
  return horavia::FloorDiv((elapsedMs - startElapsedMs_) * rate, kRealTime);
}

int64_t SimAircraft::LocalMs() {
  return startMs_ + RunMs(clock_.ElapsedMs()) + offsetSeconds_ * 1000;
}

void SimAircraft::SetRate(int32_t rate256) {
  const int64_t elapsed = clock_.ElapsedMs();
  startMs_ += RunMs(elapsed);
  startElapsedMs_ = elapsed;
  rate256_ = rate256;
  Store16(kRate, static_cast<uint16_t>(rate256));
}

SimAircraft::Seconds SimAircraft::Local() {
  return Seconds{seconds{horavia::FloorDiv(LocalMs(), 1000)}};
}

uint16_t SimAircraft::Load16(uint32_t at) const {
  return static_cast<uint16_t>(memory_[at] | memory_[at + 1] << 8);
}

void SimAircraft::Store16(uint32_t at, uint16_t value) {
  memory_[at] = static_cast<uint8_t>(value);
  memory_[at + 1] = static_cast<uint8_t>(value >> 8);
}

void SimAircraft::Store32(uint32_t at, uint32_t value) {
  Store16(at, static_cast<uint16_t>(value));
  Store16(at + 2, static_cast<uint16_t>(value >> 16));
}

void SimAircraft::Refresh() {
  const Parts local = Split(Local());
  const Parts zulu = Split(Zulu());
  memory_[kLocalHour] = static_cast<uint8_t>(local.hour);
  memory_[kLocalMinute] = static_cast<uint8_t>(local.minute);
  memory_[kSecond] = static_cast<uint8_t>(local.second);
  memory_[kZuluHour] = static_cast<uint8_t>(zulu.hour);
  memory_[kZuluMinute] = static_cast<uint8_t>(zulu.minute);
  Store16(kDayOfYear, static_cast<uint16_t>(zulu.dayOfYear));
  Store16(kYear, static_cast<uint16_t>(zulu.year));
  Store16(kZoneBehindZulu, static_cast<uint16_t>(-zone_));
}

void SimAircraft::Read(uint32_t offset, uint32_t size, uint8_t* out) {
  Refresh();
  for (uint32_t i = 0; i < size; ++i) {
    const uint64_t at = uint64_t{offset} + i;
    out[i] = at < kMemorySize ? memory_[at] : 0;
  }
}

void SimAircraft::Write(uint32_t offset, uint32_t size, const uint8_t* in) {
  Refresh();
  if (Touches(offset, size, kLocalHour, 1)) ++clockWrites_;
  if (ignoresClockWrites_ && Touches(offset, size, kLocalHour, kYear + 2 - kLocalHour)) return;
  for (uint32_t i = 0; i < size; ++i) {
    const uint64_t at = uint64_t{offset} + i;
    if (at < kMemorySize) memory_[at] = in[i];
  }
  if (zeroesWrittenSeconds_ && Touches(offset, size, kSecond, 1)) memory_[kSecond] = 0;
  if (Touches(offset, size, kLocalHour, 3)) {
    SetLocalTime(memory_[kLocalHour], memory_[kLocalMinute], memory_[kSecond]);
  }
  if (Touches(offset, size, kZuluHour, 2)) {
    SetZuluHourMinute(memory_[kZuluHour], memory_[kZuluMinute]);
  }
  if (Touches(offset, size, kDayOfYear, 2) || Touches(offset, size, kYear, 2)) {
    SetZuluDate(Load16(kDayOfYear), Load16(kYear));
  }
  if (Touches(offset, size, kDisplayTime, 2)) {
    messageSeconds_ = Load16(kDisplayTime);
    ++messageShows_;
  }
  Refresh();
}

void SimAircraft::SetLocalTime(int32_t hour, int32_t minute, int32_t second) {
  const Seconds local = Local();
  const Seconds target = floor<days>(local) + hours{hour} + minutes{minute} + seconds{second};
  offsetSeconds_ += (target - local).count();
}

// Of the zones that show that Zulu hour and minute, the one nearest the
// zone in force.
void SimAircraft::SetZuluHourMinute(int32_t hour, int32_t minute) {
  const Parts now = Split(Zulu());
  int32_t change = ((hour * 60 + minute) - (now.hour * 60 + now.minute)) % 1440;
  if (change > 720) change -= 1440;
  if (change <= -720) change += 1440;
  SetZone(zone_ - change);
}

void SimAircraft::SetZone(int32_t localMinusZuluMinutes) {
  int32_t zone = localMinusZuluMinutes % 1440;
  if (zone > 840) zone -= 1440;
  if (zone < -720) zone += 1440;
  zone_ = zone;
}

void SimAircraft::SetZuluDate(int32_t dayOfYear, int32_t year) {
  const Seconds zulu = Zulu();
  const sys_days today = floor<days>(zulu);
  const sys_days target = sys_days{std::chrono::year{year} / January / 1} + days{dayOfYear - 1};
  offsetSeconds_ += duration_cast<seconds>(target - today).count();
}

void SimAircraft::Drift(int64_t seconds) { offsetSeconds_ += seconds; }

void SimAircraft::SetPaused(bool paused) { Store16(kPaused, paused ? 1 : 0); }

void SimAircraft::SetOnGround(bool onGround) { Store16(kOnGround, onGround ? 1 : 0); }

void SimAircraft::SetVersions(uint32_t interfaceVersion, uint32_t simulatorVersion) {
  Store32(kInterfaceVersion, interfaceVersion);
  Store32(kSimulatorVersion, simulatorVersion);
}

SimAircraft::Snapshot SimAircraft::Now() {
  const Parts local = Split(Local());
  const Parts zulu = Split(Zulu());
  return {local.hour,           local.minute,          local.second, zulu.hour,
          zulu.minute,          zulu.dayOfYear,        zulu.year,    zone_,
          Load16(kPaused) != 0, Load16(kOnGround) != 0};
}

std::string SimAircraft::Describe() {
  const Snapshot s = Now();
  char text[160];
  std::snprintf(text, sizeof text,
                "local %02d:%02d:%02d zulu %02d:%02d day %d year %d zone %d paused %d ground %d"
                " rate %d",
                s.localHour, s.localMinute, s.second, s.zuluHour, s.zuluMinute, s.zuluDayOfYear,
                s.zuluYear, s.zone, s.paused ? 1 : 0, s.onGround ? 1 : 0,
                static_cast<int>(rate256_));
  return text;
}

std::string SimAircraft::MessageText() const {
  const char* text = reinterpret_cast<const char*>(&memory_[kMessageText]);
  return {text, strnlen(text, kMessageSize)};
}

}  // namespace simstandin
