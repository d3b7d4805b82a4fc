#include <gtest/gtest.h>

#include "timekeeping/sync_rules.h"
#include "simulator_world.h"

namespace horavia {
namespace {

class SyncCycleTest : public ::testing::Test, public SimulatorWorld {
 protected:
  // ON in simulator time mode, the simulator at 10:00:00 local, zone -300.
  void StartOnSimulatorTime() {
    Aircraft().SetZone(-300);
    Aircraft().SetLocalTime(10, 0, 0);
    StartConnected();
    form.Press(MainButton::StartLocal);
    ASSERT_TRUE(form.Timekeeping().On());
    TakeSounds();
    sim.journal.clear();
  }
};

TEST(SyncRules, ZuluOffsetFoldsIntoHalfADay) {
  EXPECT_EQ(ZuluOffsetMinutes(23, 30, 1, 30), -120);
  EXPECT_EQ(ZuluOffsetMinutes(0, 10, 23, 50), 20);
  EXPECT_EQ(ZuluOffsetMinutes(12, 0, 0, 0), 720);
  EXPECT_EQ(ZuluOffsetMinutes(0, 0, 12, 0), -720);
  EXPECT_EQ(ZuluOffsetMinutes(5, 30, 0, 0), 330);
  EXPECT_EQ(IntervalSeconds(20000), 20);
  EXPECT_EQ(IntervalSeconds(2500), 2);
  EXPECT_EQ(IntervalSeconds(3500), 4);
}

TEST_F(SyncCycleTest, StartUpShowsTheSimulatorAtOnce) {
  Aircraft().SetZone(-300);
  Aircraft().SetLocalTime(14, 5, 0);
  form.Start();
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"button"});
  EXPECT_TRUE(form.Connected());
  EXPECT_EQ(Controls().simTime.caption, "2 : 05");
  EXPECT_EQ(Controls().simDate.caption, "Saturday, December 5, 2026");
  EXPECT_EQ(form.Timekeeping().ZuluOffset(), -300);
  for (int i : {0, 1, 3, 4}) EXPECT_EQ(Controls().buttons[size_t(i)].face, ButtonFace::Red);
  EXPECT_FALSE(form.Timekeeping().InternalClockOffset());
  EXPECT_FALSE(form.Timekeeping().PreviousZuluOffset());
}

TEST_F(SyncCycleTest, OffShowsButNeverWrites) {
  Aircraft().SetLocalTime(3, 0, 0);
  StartConnected();
  form.OnSyncTick();
  EXPECT_EQ(Count("write"), 0u);
  EXPECT_EQ(Controls().simTime.caption, "3 : 00");
  EXPECT_EQ(Controls().simTime.color, colors::kYellow);
}

TEST_F(SyncCycleTest, SimulatorTimeModeTakesTheSimulatorsTimeWhateverItsZone) {
  Aircraft().SetZone(570);
  Aircraft().SetLocalTime(15, 45, 20);  // two hours ahead of the PC
  StartConnected();
  form.Press(MainButton::StartLocal);
  EXPECT_EQ(Count("write 0x0238"), 0u) << "nothing is written at a simulator-time start";
  EXPECT_EQ(form.Timekeeping().InternalClockOffset(), 7200);
  EXPECT_EQ(form.Timekeeping().LastRefresh().internal.hour, 15);
  EXPECT_EQ(Controls().internalTime.caption, "3 : 45");
  EXPECT_EQ(Controls().caption, "Horavia (ON)");
  EXPECT_EQ(Controls().buttons[0].face, ButtonFace::Grey);
  EXPECT_EQ(Controls().buttons[1].face, ButtonFace::Green);
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "start"}));
  // The internal clock keeps that distance from the PC clock.
  AdvanceSeconds(20);
  form.OnSyncTick();
  EXPECT_EQ(Count("write 0x0238"), 0u);
  EXPECT_EQ(form.Timekeeping().LastRefresh().internal.second, 40);
}

TEST_F(SyncCycleTest, DriftOfFiveIsLeftAloneAndSixIsCorrectedOnce) {
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
  // One read for the chronometers, one for the cycle, one display-only read back.
  EXPECT_EQ(Count("read 0x0238"), 2u);
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"sync"});
  EXPECT_EQ(Aircraft().Now().second, 0);
}

TEST_F(SyncCycleTest, APausedSimulatorIsCorrectedSilentlyAndItsChronometersStand) {
  StartOnSimulatorTime();
  Aircraft().SetPaused(true);
  Aircraft().Drift(-30);
  form.OnSyncTick();
  EXPECT_EQ(Count("write"), 5u);
  EXPECT_TRUE(TakeSounds().empty());
  EXPECT_TRUE(form.Timekeeping().Paused());
  EXPECT_EQ(form.Timekeeping().Counted().flightSeconds + form.Timekeeping().Counted().groundSeconds + form.Timekeeping().Counted().totalSeconds, 0);
}

TEST_F(SyncCycleTest, AZoneJumpIsFollowedAndASmallChangeIsCorrected) {
  StartOnSimulatorTime();
  form.OnSyncTick();  // previous zone offset now -300
  // The aircraft flies into a zone an hour further east.
  Aircraft().SetZone(-240);
  Aircraft().Drift(3600);
  sim.journal.clear();
  form.OnSyncTick();
  EXPECT_EQ(Count("write"), 0u);
  EXPECT_EQ(form.Timekeeping().ZuluOffset(), -240);
  EXPECT_EQ(form.Timekeeping().LastRefresh().internal.hour, 11);

  // Ten minutes is no zone jump: the old local time is forced back.
  Aircraft().SetZone(-230);
  Aircraft().Drift(600);
  form.OnSyncTick();
  ExpectEachOnce({"write 0x0238 1 0b", "write 0x0239 1 00"});
  EXPECT_EQ(Aircraft().Now().localMinute, 0);
  EXPECT_EQ(Aircraft().Now().localHour, 11);
}

// The simulator answers the first read only after four time-outs, over 8 s
// in which the PC clock runs on: the window must pair the simulator's time
// with the PC clock of its answer, not of before the wait.
TEST_F(SyncCycleTest, AStartWhileTheSimulatorIsSlowToAnswerTakesThePcClockOfTheAnswer) {
  Aircraft().SetLocalTime(15, 45, 20);  // two hours ahead of the PC
  StartConnected();
  uint64_t counted = sim.NowMs();
  sim.beforeSend = [&](int) {
    const uint64_t seconds = (sim.NowMs() - counted) / 1000;
    AdvanceSeconds(static_cast<int>(seconds));
    counted += seconds * 1000;
  };
  sim.hangSends = 4;
  form.Press(MainButton::StartLocal);
  EXPECT_EQ(Count("write 0x0238"), 0u) << "a start in simulator time writes nothing";
  EXPECT_EQ(form.Timekeeping().InternalClockOffset(), 7200);

  form.Press(MainButton::StartLocal);
  sim.hangSends = 4;
  form.Press(MainButton::Start);
  const simstandin::SimAircraft::Snapshot simulator = Aircraft().Now();
  const LocalDateTime& pc = world.clock.now;
  EXPECT_EQ(std::vector({simulator.localHour, simulator.localMinute, simulator.second}),
            std::vector({pc.hour, pc.minute, pc.second}))
      << "a start from the PC clock sets the simulator to it";
  EXPECT_EQ(form.Timekeeping().InternalClockOffset(), 0);
}

TEST_F(SyncCycleTest, ChronometersCountTheIntervalInForce) {
  StartOnSimulatorTime();
  form.OnSyncTick();
  EXPECT_EQ(form.Timekeeping().Counted().groundSeconds, 20);
  Aircraft().SetOnGround(false);
  form.SyncTimer().SetInterval(5000);
  form.OnSyncTick();
  form.OnSyncTick();
  EXPECT_EQ(form.Timekeeping().Counted().groundSeconds, 20);
  EXPECT_EQ(form.Timekeeping().Counted().flightSeconds, 10);
  EXPECT_EQ(form.Timekeeping().Counted().totalSeconds, 30);
}

TEST_F(SyncCycleTest, TheSimulatorVanishingWhileOnLogsAndShowsNotConnected) {
  StartOnSimulatorTime();
  for (int i = 0; i < 4; ++i) form.OnSyncTick();
  ASSERT_EQ(form.Timekeeping().Counted().totalSeconds, 80);
  sim.windowClass.clear();
  const int sends = sim.Sends();
  form.OnSyncTick();
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"warning"});
  // The chronometer step's exchange, sent once and repeated smTimeoutRetry
  // times; once it failed, neither the cycle's read nor an OFF line is sent
  // in the same tick, and the cycle still reports the loss.
  EXPECT_EQ(sim.Sends() - sends, 1 + context.settings.smTimeoutRetry);
  EXPECT_FALSE(form.Connected());
  EXPECT_FALSE(form.Timekeeping().On());
  EXPECT_EQ(Controls().caption, "Horavia (OFF)");
  EXPECT_EQ(Controls().simTime.caption, "?? : ??");
  EXPECT_EQ(Controls().simDate.caption, "FSUIPC - Not connected");
  for (int i : {0, 1, 3, 4}) EXPECT_EQ(Controls().buttons[size_t(i)].face, ButtonFace::Grey);
  EXPECT_EQ(world.files.files.count(world.PathOf("\\Horavia.log")), 1u);
  EXPECT_EQ(form.Timekeeping().Counted().totalSeconds, 0);

  // The half-second tick retries quietly, and reconnects without a warning.
  form.OnHalfSecondTick();
  EXPECT_TRUE(TakeSounds().empty());
  sim.windowClass = "FS98MAIN";
  form.OnHalfSecondTick();
  EXPECT_TRUE(form.Connected());
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"button"});
  EXPECT_EQ(Controls().buttons[0].face, ButtonFace::Red);
}

TEST_F(SyncCycleTest, ShortOnPeriodsAreNotLogged) {
  StartOnSimulatorTime();
  for (int i = 0; i < 3; ++i) form.OnSyncTick();
  form.Press(MainButton::StartLocal);
  EXPECT_FALSE(form.Timekeeping().On());
  EXPECT_EQ(world.files.files.count(world.PathOf("\\Horavia.log")), 0u);
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "warning"}));
  EXPECT_FALSE(form.Timekeeping().InternalClockOffset());
  EXPECT_FALSE(form.Timekeeping().PreviousZuluOffset());
}

}  // namespace
}  // namespace horavia
