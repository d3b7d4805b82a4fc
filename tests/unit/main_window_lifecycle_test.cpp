#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "windows/main_window_model.h"
#include "fakes/fake_platform.h"
#include "simulator_world.h"

namespace horavia {
namespace {

class MainLifecycleTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  ProcessContext context{world.platform};
  MainWindowModel form{context};
};

TEST_F(MainLifecycleTest, DesignStateBeforeStartUp) {
  const Timekeeper& keeper = form.Timekeeping();
  EXPECT_FALSE(form.Connected());
  EXPECT_FALSE(keeper.On());
  EXPECT_FALSE(keeper.PreviousZuluOffset());
  EXPECT_FALSE(keeper.InternalClockOffset());
  EXPECT_EQ(keeper.ZuluOffset(), 0);
  const Chronometers& counted = keeper.Counted();
  EXPECT_EQ(counted.flightSeconds + counted.groundSeconds + counted.totalSeconds, 0);
  EXPECT_EQ(form.Controls().caption, "Horavia (OFF)");
  EXPECT_EQ(form.SyncTimer().Interval(), 20000);
  EXPECT_FALSE(form.SyncTimer().Enabled());
  EXPECT_TRUE(form.HalfSecondTimer().Enabled());
  EXPECT_TRUE(world.timers.events.empty()) << "nothing ticks before the window is loaded";
}

TEST_F(MainLifecycleTest, StartUpWithoutSettingsFile) {
  form.Start();
  const MainControls& c = form.Controls();
  EXPECT_EQ(c.caption, "Horavia (OFF)");
  EXPECT_EQ(c.version.caption, "Version 1.3");
  EXPECT_TRUE(c.internalClockFrameVisible);
  EXPECT_FALSE(c.infoFrameVisible);
  EXPECT_EQ(c.simTime.caption, "?? : ??");
  for (int i : {2, 5}) {
    EXPECT_TRUE(c.buttons[static_cast<size_t>(i)].enabled) << i;
    EXPECT_EQ(c.buttons[static_cast<size_t>(i)].face, ButtonFace::Red) << i;
  }
  for (int i : {0, 1, 3, 4}) {
    EXPECT_EQ(c.buttons[static_cast<size_t>(i)].face, ButtonFace::Grey) << i;
  }
  EXPECT_EQ(world.timers.armed.at(TimerId::Sync), 20000);
  EXPECT_EQ(world.timers.armed.at(TimerId::Second), 500);
  EXPECT_FALSE(form.Timekeeping().On());
}

TEST_F(MainLifecycleTest, StartUpArmsTheSyncTimerAtTheFilesIntervalAfterTheMessage) {
  world.files.files[world.PathOf("\\Horavia.ini")] = "SYNC_INTERVAL=7\r\n";
  form.Start();
  EXPECT_EQ(world.timers.armed.at(TimerId::Sync), 7000);

  fakes::FakeWorld other;
  other.files.files[other.PathOf("\\Horavia.ini")] = "SYNC_INTERVAL=0\r\n";
  ProcessContext otherMod{other.platform};
  MainWindowModel otherForm{otherMod};
  otherForm.Start();
  ASSERT_GE(other.journal.lines.size(), 2u);
  EXPECT_EQ(other.journal.lines[0].rfind("box Invalid SYNC_INTERVAL", 0), 0u);
  EXPECT_EQ(other.journal.lines[1], "arm 2 20000");
  EXPECT_EQ(other.journal.lines.back(), "arm 1 500") << "the half-second tick starts last";
}

TEST_F(MainLifecycleTest, ShutDownSavesThenSoundsThenWaits) {
  form.Start();
  world.journal.lines.clear();
  form.Shutdown();
  // Without its file the button sound is silent.
  const std::vector<std::string> quiet{"disarm 1", "disarm 2",
                                       R"(replace C:\Fly\Horavia\Horavia.ini)", "sleep 200"};
  EXPECT_EQ(world.journal.lines, quiet) << "the timers stop first; no sound without its file";
  EXPECT_EQ(world.files.files.at(world.PathOf("\\Horavia.ini")),
            "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSM_TIMEOUT_RETRY=40\r\n");

  fakes::FakeWorld sounding;
  sounding.files.files[sounding.PathOf("\\sound_button.wav")] = "RIFF";
  ProcessContext soundingMod{sounding.platform};
  MainWindowModel soundingForm{soundingMod};
  soundingForm.Start();
  sounding.journal.lines.clear();
  soundingForm.Shutdown();
  ASSERT_EQ(sounding.journal.lines.size(), 5u);
  EXPECT_EQ(sounding.journal.lines[2], R"(replace C:\Fly\Horavia\Horavia.ini)");
  EXPECT_EQ(sounding.journal.lines[3], "sound C:\\Fly\\Horavia\\sound_button.wav");
  EXPECT_EQ(sounding.journal.lines[4], "sleep 200");
}

// Three sync ticks of 20 s are the default minimum of 60 s: not logged; a
// fourth is. A window closed while ON logs the period before the settings.
TEST(MainLifecycle, ClosingWhileOnLogsARunningPeriodAboveTheMinimumFirst) {
  for (const int ticks : {3, 4}) {
    SimulatorWorld w;
    w.StartConnected();
    w.form.Press(MainButton::Start);
    for (int tick = 0; tick < ticks; ++tick) w.form.OnSyncTick();
    w.world.journal.lines.clear();
    w.form.Shutdown();
    const std::vector<std::string>& lines = w.world.journal.lines;
    const auto log = std::find(lines.begin(), lines.end(), R"(append C:\Fly\Horavia\Horavia.log)");
    const auto ini = std::find(lines.begin(), lines.end(), R"(replace C:\Fly\Horavia\Horavia.ini)");
    ASSERT_NE(ini, lines.end());
    if (ticks == 3) {
      EXPECT_EQ(log, lines.end());
    } else {
      EXPECT_LT(log, ini);
      EXPECT_EQ(w.Keeper().Counted().totalSeconds, 0);
    }
  }
}

TEST_F(MainLifecycleTest, ShutDownCompletesWhenTheSettingsCannotBeWritten) {
  form.Start();
  world.files.folders.insert(world.PathOf("\\Horavia.ini"));
  form.Shutdown();
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.clock.sleeps, std::vector<int32_t>{200});
}

}  // namespace
}  // namespace horavia
