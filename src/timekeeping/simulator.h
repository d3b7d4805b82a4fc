#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/clock_parts.h"
#include "link/link.h"
#include "timekeeping/sim_clock_reading.h"

namespace horavia {

struct AircraftFlags {
  bool onGround = false;
  bool paused = false;
};

// Which parts of the simulator's clock a write sets.
enum class ClockFields { TimeOfDay, TimeAndDate, Date };

// What the read after a write showed of how the simulator takes seconds.
enum class SecondsFinding {
  None,
  Zeroed,           // hours and minutes took, a second of 5 or more came back 0 or 1
  ZeroedAfterStart  // the same, after the write of a start from the PC clock
};

// The main window's exchanges with the simulator, each one exchange of the
// link. Once an exchange has failed, none is tried until the next handler
// of the window: a simulator that did not answer would hold the window
// through another full round of time-outs for each try.
//
// Some simulators take a written second as 0 and set only hours and
// minutes. The read that follows a write of the clock tells such a one
// apart; that is remembered until the next connection.
class Simulator {
 public:
  explicit Simulator(Link& link) : link_(link) {}

  // The next handler: the simulator may be asked again.
  void NewHandler() { failed_ = false; }
  // A new connection: how it takes seconds is learned anew.
  void NewConnection();
  bool Failed() const { return failed_; }
  bool ZeroesSeconds() const { return zeroesSeconds_; }
  SecondsFinding LastFinding() const { return finding_; }

  // The whole clock: time of day, Zulu date, zone and simulation rate. It
  // also checks what the last write of the clock put there (LastFinding()).
  std::optional<SimClockReading> ReadClock();
  // The time of day alone (local and Zulu) and the zone, the date and the
  // rate left at 0.
  std::optional<SimClockReading> ReadTimeOfDay();
  std::optional<AircraftFlags> ReadFlags();
  // The local time of day `local` with `second`, and the Zulu hour and
  // minute that go with it under `zuluOffset` minutes; or the Zulu date of
  // `local`; or both.
  bool WriteClock(const ClockParts& local, int32_t second, int32_t zuluOffset, ClockFields fields,
                  bool fromStart = false);
  // A line of text for the simulator's screen (single-byte characters, cut
  // to 127 so that the terminating zero fits), shown for five seconds.
  bool ShowText(std::string_view bytes);

 private:
  // The time of day a write put into the clock, to check at the next read.
  struct ClockWrite {
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    bool fromStart = false;
  };

  bool Exchange(std::span<const LinkRequest> requests);
  // The clock's seven values in the order of their offsets, then the zone
  // and the simulation rate; or the first five and the zone.
  std::optional<SimClockReading> Read(bool withDate);
  void LearnFromRead(const SimClockReading& reading);

  Link& link_;
  bool failed_ = false;
  bool zeroesSeconds_ = false;
  SecondsFinding finding_ = SecondsFinding::None;
  std::optional<ClockWrite> lastWrite_;
};

}  // namespace horavia
