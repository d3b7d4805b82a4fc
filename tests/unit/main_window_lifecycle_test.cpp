#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "windows/main_window_model.h"
#include "fakes/fake_platform.h"

namespace horavia {
namespace {

class MainLifecycleTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  ProcessContext context{world.platform};
  MainWindowModel form{context};
};

TEST_F(MainLifecycleTest, DesignStateBeforeStartUp) {
  const MainState& s = form.State();
  EXPECT_FALSE(s.connected);
  EXPECT_FALSE(s.on);
  EXPECT_EQ(s.previousZuluOffset, kNone);
  EXPECT_EQ(s.internalClockOffset, kNone);
  EXPECT_EQ(s.zuluOffset, 0);
  EXPECT_EQ(s.flightSeconds + s.groundSeconds + s.totalSeconds, 0);
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
  EXPECT_FALSE(form.State().on);
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
  EXPECT_EQ(sounding.journal.lines[2], "replace C:\\Fly\\Horavia\\Horavia.ini");
  EXPECT_EQ(sounding.journal.lines[3], "sound C:\\Fly\\Horavia\\sound_button.wav");
  EXPECT_EQ(sounding.journal.lines[4], "sleep 200");
}

TEST_F(MainLifecycleTest, ClosingWhileOnLogsTheRunningPeriodFirst) {
  form.Start();
  form.State().on = true;
  form.State().pcClock = ClockParts{9, 30, 0, 6, 1, 2027};
  form.State().groundSeconds = 3600;
  form.State().totalSeconds = 3600;
  world.journal.lines.clear();
  form.Shutdown();
  ASSERT_GE(world.journal.lines.size(), 4u);
  EXPECT_EQ(world.journal.lines[2], "append C:\\Fly\\Horavia\\Horavia.log");
  EXPECT_EQ(world.journal.lines[3], "replace C:\\Fly\\Horavia\\Horavia.ini");
  EXPECT_EQ(form.State().totalSeconds, 0);
}

TEST_F(MainLifecycleTest, ClosingWithTheTotalAtTheMinimumLogsNothing) {
  form.Start();
  form.State().totalSeconds = 60;
  form.Shutdown();
  EXPECT_EQ(world.files.files.count(world.PathOf("\\Horavia.log")), 0u);
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
