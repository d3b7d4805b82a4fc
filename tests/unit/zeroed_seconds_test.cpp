// Simulators that take a written second as 0: learned from the read after a
// write, then the clock is set at the internal clock's next full minute.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "base/calendar.h"
#include "simulator_world.h"

namespace horavia {
namespace {

class ZeroedSecondsTest : public ::testing::Test, public SimulatorWorld {
 protected:
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

TEST_F(ZeroedSecondsTest, AStartAtSecond37IsSetRightAtTheNextMinuteWithOneMoreWrite) {
  Aircraft().SetZeroesWrittenSeconds(true);
  Aircraft().SetLocalTime(9, 0, 0);
  world.clock.now.second = 37;  // 13:45:37
  StartConnected();
  form.Press(MainButton::Start);
  ASSERT_TRUE(form.Timekeeping().On());
  EXPECT_TRUE(form.SimulatorLink().ZeroesSeconds()) << "learned from the start's own write";
  EXPECT_EQ(form.Timekeeping().InternalClockOffset(), 0) << "the internal clock is the PC clock";
  EXPECT_EQ(Drift(), -37);
  EXPECT_EQ(TimeWrites(), 1u);
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "start"}));

  // Sync cycles before the minute try nothing, and no sync sound plays.
  for (int s = 38; s < 60; ++s) {
    RunSecond();
    if (s % 10 == 0) form.OnSyncTick();
  }
  EXPECT_EQ(TimeWrites(), 1u);
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
// reconnect to a simulator that takes seconds learns anew.
TEST_F(ZeroedSecondsTest, ACorrectionLearnsAndAnotherSimulatorLearnsAgain) {
  Aircraft().SetZeroesWrittenSeconds(true);
  StartConnected();  // 13:45:20
  form.Press(MainButton::StartLocal);
  TakeSounds();
  Aircraft().Drift(30);
  AdvanceSeconds(20);  // 13:45:40
  form.OnSyncTick();
  EXPECT_TRUE(form.SimulatorLink().ZeroesSeconds());
  EXPECT_EQ(TimeWrites(), 1u);
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{}) << "no sync sound for a write that missed";
  for (int s = 40; s <= 60; ++s) RunSecond();
  EXPECT_EQ(TimeWrites(), 2u);
  EXPECT_LE(std::abs(Drift()), 1);

  // Due again, and before the minute the aircraft flies into another zone:
  // at the minute that is followed, not forced back.
  Aircraft().Drift(-20);
  AdvanceSeconds(20);
  form.OnSyncTick();
  ASSERT_TRUE(form.Timekeeping().MinuteWriteDue());
  Aircraft().SetZone(Aircraft().Now().zone + 60);
  Aircraft().Drift(3600);
  for (int s = 0; s < 60; ++s) RunSecond();
  EXPECT_EQ(TimeWrites(), 2u);
  EXPECT_FALSE(form.Timekeeping().MinuteWriteDue());

  sim.windowClass.clear();
  form.OnSyncTick();
  sim.windowClass = "FS98MAIN";
  Aircraft().SetZeroesWrittenSeconds(false);
  form.OnHalfSecondTick();
  ASSERT_TRUE(form.Connected());
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
