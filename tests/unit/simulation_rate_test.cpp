// The pilot runs the simulator faster or slower than real time: while ON,
// its clock is left alone, and back at real time it is set to the PC's time
// after Start or followed after Start Loc.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulator_world.h"

namespace horavia {
namespace {

class SimulationRateTest : public ::testing::Test, public SimulatorWorld {
 protected:
  const std::string& Tip() const { return Controls().simTime.toolTip; }
};

TEST_F(SimulationRateTest, AfterStartNothingIsWrittenUntilRealTimeThenOneCorrectionToThePcsTime) {
  Aircraft().SetZone(-300);
  SwitchOn(MainButton::Start);
  for (const int32_t rate : {1024, 512, 128, 4096}) {  // 4x, 2x, 1/2x, 16x: changed between cycles
    Aircraft().SetRate(rate);
    Ticks(3);
    if (rate == 512) {  // flown into the next zone east meanwhile
      Aircraft().SetZone(-240);
      Aircraft().Drift(3600);
    }
  }
  EXPECT_TRUE(Count("write") == 0 && TakeSounds().empty() && SimAheadOfPc() == 3600 + 180 + 60 - 30 + 900);
  EXPECT_EQ(Tip(), "The simulator runs at 16x: Horavia leaves its clock alone until it runs at 1x again.");
  EXPECT_EQ(Controls().simTime.caption, "3 : 07") << "shown as read";
  Aircraft().SetRate(256);
  Ticks(1);
  EXPECT_TRUE(TimeWrites() == 1 && Count("write 0x023E") == 0 && SimAheadOfPc() == 3600 && Tip().empty())
      << "the PC's time in the zone flown into";
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"sync"});
  Ticks(3);
  EXPECT_EQ(TimeWrites(), 1u);
  // A whole day gained (240 x 360 s) is no date the pilot set: corrected, with the date.
  Aircraft().SetRate(241 * 256);
  Ticks(18);
  Aircraft().SetRate(256);
  sim.journal.clear();
  Ticks(1);
  EXPECT_TRUE(TimeWrites() == 1 && Count("write 0x023E") == 1 && SimAheadOfPc() == 3600)
      << "on the PC's date and time";
}

TEST_F(SimulationRateTest, AfterStartLocTheSimulatorsNewTimeIsTakenAndThenHeld) {
  Aircraft().SetLocalTime(10, 0, 0);
  SwitchOn(MainButton::StartLocal);
  Aircraft().SetRate(1024);
  Ticks(3);  // 3 minutes gained
  EXPECT_TRUE(Count("write") == 0 && TakeSounds().empty() && !Tip().empty());
  EXPECT_EQ(Controls().internalTime.caption, "10 : 01") << "the internal clock left as it was";
  Aircraft().SetRate(256);
  Ticks(1);
  EXPECT_TRUE(Count("write") == 0 && TakeSounds().empty() && Tip().empty());
  EXPECT_EQ(Controls().internalTime.caption, "10 : 04");
  Aircraft().Drift(30);
  Ticks(1);
  EXPECT_TRUE(TimeWrites() == 1 && SimAheadOfPc() == -(3 * 3600 + 45 * 60 + 20) + 180)
      << "held on the new time";
  Aircraft().SetRate(512);
  Ticks(1);
  window.Press(MainButton::StartLocal);
  EXPECT_TRUE(!Keeper().On() && Tip().empty()) << "OFF leaves the simulator alone anyway";
  Ticks(1);
  EXPECT_TRUE(Tip().empty());
}

// Nor is a correction due at the full minute for a simulator that zeroes
// seconds, which is not even read for then.
TEST_F(SimulationRateTest, AMinuteWriteDueIsNotWrittenWhileAccelerated) {
  Aircraft().SetZeroesWrittenSeconds(true);
  world.clock.now.second = 37;
  SwitchOn(MainButton::Start);
  ASSERT_TRUE(Keeper().MinuteWriteDue());
  Aircraft().SetRate(512);
  RunSeconds(140, 20);
  EXPECT_TRUE(TimeWrites() == 0 && Count("read 0x0238") == 7u);
}

}  // namespace
}  // namespace horavia
