// The sync cycle: the simulator's clock shown, kept on the internal clock
// within 5 s, zones followed, chronometers counted; and simulators that take
// a written second as 0, set at the internal clock's next full minute.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "simulator_world.h"
#include "timekeeping/sync_rules.h"

namespace horavia {
namespace {

class SyncCycleTest : public ::testing::Test, public SimulatorWorld {
 protected:
  // ON in simulator time mode, the simulator at 10:00:00 local, zone -300:
  // the internal clock keeps the simulator's distance from the PC clock.
  void StartOnSimulatorTime() {
    Aircraft().SetZone(-300);
    Aircraft().SetLocalTime(10, 0, 0);
    StartConnected();
    Fly(0, MainButton::StartLocal);
    EXPECT_EQ(Glance(), "Horavia (ON) -GRRRR 10 : 00 | Saturday, December 5, 2026");
    EXPECT_EQ(Keeper().InternalClockOffset(), -(3 * 3600 + 45 * 60 + 20));
    EXPECT_EQ(Controls().internalTime.caption, "10 : 00");
    EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "start"}));
    EXPECT_EQ(TimeWrites(), 0u) << "nothing is written at a simulator-time start";
    sim.journal.clear();
  }
  // Seconds from the internal clock to the simulator's local clock.
  int Drift() {
    const auto sim = Aircraft().Now();
    const ClockParts internal = Keeper().InternalClockNow();
    return (sim.localHour * 3600 + sim.localMinute * 60 + sim.second) -
           (internal.hour * 3600 + internal.minute * 60 + internal.second);
  }
  // One second of the PC clock: two half-second ticks.
  void RunSecond() {
    AdvanceSeconds(1);
    form.OnHalfSecondTick();
    form.OnHalfSecondTick();
  }
  size_t TimeWrites() const { return Count("write 0x0238"); }
};

TEST(SyncRulesTest, ZuluOffsetFoldsIntoHalfADayAndIntervalsRoundHalvesToEven) {
  EXPECT_EQ(std::vector({ZuluOffsetMinutes(23, 30, 1, 30), ZuluOffsetMinutes(0, 10, 23, 50),
                         ZuluOffsetMinutes(12, 0, 0, 0), ZuluOffsetMinutes(0, 0, 12, 0), ZuluOffsetMinutes(5, 30, 0, 0)}),
            std::vector({-120, 20, 720, -720, 330}));
  EXPECT_EQ(std::pair(IntervalSeconds(2500), IntervalSeconds(3500)), std::pair(2, 4));
}

TEST_F(SyncCycleTest, DriftOfFiveIsLeftAloneSixIsCorrectedOnceAndPausedSilently) {
  StartOnSimulatorTime();
  Aircraft().Drift(5);
  form.OnSyncTick();
  Aircraft().Drift(-10);
  form.OnSyncTick();
  EXPECT_EQ(Count("write"), 0u);
  EXPECT_TRUE(TakeSounds().empty());
  Aircraft().Drift(11);  // now 6 seconds ahead
  sim.journal.clear();
  form.OnSyncTick();
  ExpectEachOnce({"write 0x0238 1 0a", "write 0x0239 1 00", "write 0x023A 1 00",
                  "write 0x023B 1 0f", "write 0x023C 1 00"});
  EXPECT_EQ(Count("write"), 5u) << "the date is never written by a correction";
  EXPECT_EQ(Count("read 0x0238"), 2u) << "the cycle's read and the read back";
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"sync"});

  sim.journal.clear();
  Aircraft().SetPaused(true);
  Aircraft().Drift(-30);
  form.OnSyncTick();
  EXPECT_EQ(Count("write"), 5u);
  EXPECT_TRUE(TakeSounds().empty() && Keeper().Paused());
  EXPECT_EQ(Counted(), (std::vector{0, 60, 60})) << "the chronometers stand";
}

TEST_F(SyncCycleTest, AZoneJumpIsFollowedAndASmallChangeIsCorrected) {
  StartOnSimulatorTime();
  form.OnSyncTick();  // previous zone offset now -300
  Aircraft().SetZone(-240);  // an hour further east
  Aircraft().Drift(3600);
  form.OnSyncTick();
  EXPECT_EQ(Count("write"), 0u);
  EXPECT_EQ(std::pair(Keeper().ZuluOffset(), Keeper().LastRefresh().internal.hour), std::pair(-240, 11));
  Aircraft().SetZone(-230);  // ten minutes is no zone jump: set back
  Aircraft().Drift(600);
  form.OnSyncTick();
  ExpectEachOnce({"write 0x0238 1 0b", "write 0x0239 1 00"});
  EXPECT_EQ(Aircraft().Now().localMinute, 0);
}

TEST_F(SyncCycleTest, ChronometersCountTheIntervalInForceAndShortPeriodsAreNotLogged) {
  StartOnSimulatorTime();
  form.OnSyncTick();
  Aircraft().SetOnGround(false);
  form.SyncTimer().SetInterval(5000);
  form.OnSyncTick();
  form.OnSyncTick();
  EXPECT_EQ(Counted(), (std::vector{10, 20, 30}));
  form.Press(MainButton::StartLocal);
  EXPECT_EQ(world.files.files.count(log), 0u);
  EXPECT_FALSE(Keeper().InternalClockOffset() || Keeper().PreviousZuluOffset());
}

TEST_F(SyncCycleTest, AStartAtSecond37IsSetRightAtTheNextMinuteWithOneMoreWrite) {
  Aircraft().SetZeroesWrittenSeconds(true);
  Aircraft().SetLocalTime(9, 0, 0);
  world.clock.now.second = 37;  // 13:45:37
  StartConnected();
  form.Press(MainButton::Start);
  EXPECT_TRUE(form.SimulatorLink().ZeroesSeconds()) << "learned from the start's own write";
  EXPECT_EQ(Keeper().InternalClockOffset(), 0);
  EXPECT_EQ(Drift(), -37);
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "start"}));
  for (int s = 38; s < 60; ++s) {
    RunSecond();
    if (s % 10 == 0) form.OnSyncTick();
  }
  EXPECT_EQ(TimeWrites(), 1u) << "nothing is tried before the minute";
  EXPECT_TRUE(TakeSounds().empty());
  RunSecond();  // 13:46:00
  EXPECT_EQ(TimeWrites(), 2u);
  EXPECT_LE(std::abs(Drift()), 1);
  ExpectEachOnce({"write 0x023A 1 25", "write 0x023A 1 00", "write 0x0239 1 2e"});
  EXPECT_EQ(Count("write 0x023E"), 2u) << "the start's date goes at once and with the time";
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"sync"});
  for (int s = 0; s < 90; ++s) {
    RunSecond();
    if (s % 20 == 19) form.OnSyncTick();
  }
  EXPECT_EQ(TimeWrites(), 2u) << "left alone once it is right";
}

// A correction of a simulator-time start finds out the same way, and a
// reconnect learns anew.
TEST_F(SyncCycleTest, ACorrectionLearnsAndAnotherSimulatorLearnsAgain) {
  Aircraft().SetZeroesWrittenSeconds(true);
  StartConnected();  // 13:45:20
  form.Press(MainButton::StartLocal);
  TakeSounds();
  Aircraft().Drift(30);
  AdvanceSeconds(20);  // 13:45:40
  form.OnSyncTick();
  EXPECT_TRUE(form.SimulatorLink().ZeroesSeconds());
  EXPECT_EQ(TimeWrites(), 1u);
  EXPECT_TRUE(TakeSounds().empty()) << "no sync sound for a write that missed";
  for (int s = 40; s <= 60; ++s) RunSecond();
  EXPECT_EQ(TimeWrites(), 2u);
  EXPECT_LE(std::abs(Drift()), 1);
  sim.windowClass.clear();
  form.OnSyncTick();
  sim.windowClass = "FS98MAIN";
  Aircraft().SetZeroesWrittenSeconds(false);
  form.OnHalfSecondTick();
  EXPECT_FALSE(form.SimulatorLink().ZeroesSeconds());
  form.Press(MainButton::StartLocal);
  Aircraft().Drift(30);
  sim.journal.clear();
  AdvanceSeconds(5);
  form.OnSyncTick();
  EXPECT_EQ(TimeWrites(), 1u) << "written at once";
  EXPECT_EQ(Drift(), 0);
  EXPECT_FALSE(form.SimulatorLink().ZeroesSeconds());
}

}  // namespace
}  // namespace horavia
