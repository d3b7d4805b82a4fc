// The simulator's clock kept right on full dates: corrections across
// midnight and the year end, dates the pilot moves, simulators that do not
// take a write or serve no calendar date, zones from -12:00 to +14:00, and
// the PC's clock stepping under each mode.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/calendar.h"
#include "simulator_world.h"

namespace horavia {
namespace {

class ClockDatesTest : public ::testing::Test, public SimulatorWorld {
 protected:
  // The PC clock and the simulator at `pc` local time in `zone`, connected.
  void At(const LocalDateTime& pc, int32_t zone) {
    world.clock.now = pc;
    Aircraft().SetZone(zone);
    Aircraft().Drift(SecondsBetween(SimLocal(), PartsOf(pc)));
    if (!window.Connected()) window.Start();
    TakeSounds();
    sim.journal.clear();
  }
};

TEST_F(ClockDatesTest, ACorrectionAcrossMidnightCarriesTheDateOnce) {
  At({2026, 12, 31, 23, 59, 40}, 60);
  window.Press(MainButton::Start);
  Aircraft().Drift(-7);  // 25 s on, the simulator at 31 December 23:59:58
  sim.journal.clear();
  TakeSounds();
  Ticks(1, 25);  // 1 January 2027 00:00:05 on the PC and the internal clock
  // The Zulu date an hour behind: 31 December 2026, day 365.
  ExpectEachOnce({"write 0x0238 1 00", "write 0x023A 1 05", "write 0x023E 2 6d 01", "write 0x0240 2 ea 07"});
  Ticks(3);
  EXPECT_EQ(TimeWrites(), 1u);
  EXPECT_EQ(SimLocal(), (ClockParts{0, 1, 5, 1, 1, 2027})) << "the simulator on the internal clock's date";
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"sync"});
}

// The pilot moves the simulator's date, or the PC's clock is stepped: the
// date is followed in both modes; the step moves the simulator after Start
// only, by a correction with the date where it moved.
TEST_F(ClockDatesTest, ADateThePilotMovesIsFollowedAndAPcClockStepMovesTheSimulatorAfterStartOnly) {
  struct Case {
    MainButton mode;
    int32_t pilotDays, pcStep;  // the days the pilot moves the date by; the PC clock's step
  };
  using enum MainButton;
  for (const Case c : {Case{Start, 40, 0}, Case{StartLocal, 40, 0}, Case{StartLocal, 0, 3600},
                       Case{StartLocal, 0, -3600}, Case{StartLocal, 0, -2 * 86400},
                       Case{Start, 0, 3600}, Case{Start, 0, -3600}, Case{Start, 0, -2 * 86400}}) {
    SCOPED_TRACE(std::to_string(c.pilotDays) + " days, step " + std::to_string(c.pcStep));
    // 29 February in Zulu time, a leap day; an hour on is local midnight.
    At({2028, 2, 28, 23, 30, 0}, -300);
    window.Press(c.mode);
    Ticks(1);
    const ClockParts before = SimLocal();
    sim.journal.clear();
    Aircraft().SetZuluDate(Aircraft().Now().zuluDayOfYear + c.pilotDays, 2028);
    world.clock.StepPcClock(c.pcStep);
    Ticks(3);
    const int32_t followed = c.mode == Start ? c.pcStep : 0;
    EXPECT_EQ(Count(followed != 0 ? "write 0x0238" : "write"), followed != 0 ? 1u : 0u);
    EXPECT_EQ(SimLocal(), AddSeconds(before, 60 + c.pilotDays * 86400 + followed));
    EXPECT_EQ(DateOf(Keeper().InternalClockNow()), DateOf(SimLocal()));
    window.Press(c.mode);  // OFF
  }
}

// Here the simulator does not tell its rate either: it leaves it 0, which
// is real time, where it is corrected. A correction held after two tries is
// not written while the simulator runs accelerated, though the distance then
// changes at every cycle.
TEST_F(ClockDatesTest, ASimulatorThatIgnoresWritesIsTriedTwicePerChangeOfDistance) {
  At({2026, 6, 30, 23, 59, 0}, 0);
  Aircraft().SetRate(0);
  window.Press(MainButton::StartLocal);
  Aircraft().SetIgnoresClockWrites(true);
  Aircraft().Drift(30);
  TakeSounds();
  Ticks(6, 1);
  EXPECT_EQ(Aircraft().ClockWrites(), 2u);
  EXPECT_EQ(TakeSounds(), std::vector<std::string>(2, "sync"));
  EXPECT_TRUE(Keeper().CorrectionsHeld() && Controls().simTime.toolTip.empty());
  Aircraft().Drift(-60);  // the distance changed: tried again, twice
  Ticks(6, 1);
  EXPECT_EQ(Aircraft().ClockWrites(), 4u);
  Aircraft().SetRate(1024);
  Ticks(3, 1);
  EXPECT_EQ(Aircraft().ClockWrites(), 4u) << "held while accelerated";
  Aircraft().SetRate(0);
  Ticks(1, 1);  // back at real time, the internal clock takes the simulator's
  Aircraft().SetIgnoresClockWrites(false);
  Aircraft().Drift(20);
  Ticks(3, 1);
  EXPECT_EQ(Aircraft().ClockWrites(), 5u);
  EXPECT_TRUE(std::abs(Drift()) <= 1 && !Keeper().CorrectionsHeld());
}

TEST(TimekeeperTest, AReadingThatIsNoCalendarTimeNeitherTakesNorCorrects) {
  fakes::FakeClock clock;
  Timekeeper keeper(clock);
  keeper.SwitchOn(StartMode::SimulatorTime);
  keeper.Refresh();
  const SimClockReading loading[] = {{12, 0, 0, 12, 0, 0, 2026},   {12, 0, 0, 12, 0, 366, 2026},
                                     {12, 0, 0, 12, 0, 100, 0},    {24, 0, 0, 24, 0, 100, 2026},
                                     {12, 60, 0, 12, 60, 100, 2026}, {12, 0, 60, 12, 0, 100, 2026}};
  for (const SimClockReading& reading : loading) {
    EXPECT_FALSE(keeper.Keep(reading, false, false));
    EXPECT_FALSE(keeper.InternalClockOffset()) << reading.zuluDayOfYear << " " << reading.zuluYear;
  }
  EXPECT_FALSE(keeper.Keep({12, 0, 0, 12, 0, 366, 2028}, false, false)) << "a leap year's last day";
  ASSERT_TRUE(keeper.InternalClockOffset());
  for (const SimClockReading& reading : loading) {
    EXPECT_FALSE(keeper.Keep(reading, false, false));
    EXPECT_EQ(keeper.InternalClockNow(), (ClockParts{12, 0, 0, 12, 31, 2028}));
  }
}

TEST(SimClockReadingTest, TheZoneReadPicksTheDayWhereItAgreesWithHoursAndMinutes) {
  struct Case {
    int32_t localHour, localMinute, zuluHour, zuluMinute, zoneBehindZulu, offset;
  };
  const Case cases[] = {
      {13, 0, 0, 0, -780, 780},   // New Zealand's summer time, Tonga
      {13, 0, 0, 0, 0, -660},     // a simulator that serves no zone: hours and minutes alone
      {12, 0, 0, 0, -720, 720},   {0, 0, 12, 0, -720, 720},  // +12 h either side of noon
      {0, 0, 12, 0, 720, -720},   {14, 0, 0, 0, -840, 840},  // Baker Island, Kiribati
      {12, 45, 0, 0, -765, 765},  {5, 30, 0, 0, -300, 330},  // Chatham; a zone that does not agree
      {15, 0, 0, 0, -900, 900 - 1440},                       // past +14 h: no zone there is
  };
  for (const Case& c : cases) {
    const SimClockReading reading{c.localHour, c.localMinute, 0,   c.zuluHour,
                                  c.zuluMinute, 100,          2026, c.zoneBehindZulu};
    EXPECT_EQ(reading.ZuluOffset(), c.offset) << c.localHour << ":" << c.localMinute << " " << c.zoneBehindZulu;
  }
}

TEST_F(ClockDatesTest, ZonesFromMinusTwelveToPlusFourteenAreDatedRightAcrossNoonAndMidnight) {
  struct Case {
    int32_t zone;
    const char* startDay;  // the Zulu day of year written by Start, in hex bytes
  };
  // The PC at 7 December 2026 11:59:50 local: Zulu 6 December (day 340) east
  // of +12 h, 7 December (day 341) at -12 h.
  for (const Case c : {Case{780, "54 01"}, Case{720, "54 01"}, Case{840, "54 01"}, Case{-720, "55 01"}}) {
    SCOPED_TRACE(c.zone);
    At({2026, 12, 7, 11, 59, 50}, c.zone);
    window.Press(MainButton::Start);
    EXPECT_EQ(Count(std::string("write 0x023E 2 ") + c.startDay), 1u);
    sim.journal.clear();
    for (int i = 0; i < 4; ++i) {
      Ticks(1, 4 * 3600);  // across local noon and midnight
      EXPECT_EQ(Keeper().ZuluOffset(), c.zone);
      EXPECT_EQ(Keeper().PreviousZuluOffset(), c.zone) << "no zone jump";
    }
    EXPECT_EQ(Aircraft().Now().zone, c.zone) << "the simulator keeps its zone";
    EXPECT_EQ(DateOf(SimLocal()), std::chrono::year{2026} / 12 / 8);
    EXPECT_EQ(Count("write"), 0u);
    window.Press(MainButton::Start);
  }
}

}  // namespace
}  // namespace horavia
