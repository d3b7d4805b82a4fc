// The main window's start-up, its shut-down and the information frame's
// text commands, here without a simulator.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "simulator_world.h"
#include "windows/main_window_model.h"

namespace horavia {
namespace {

constexpr const char* kIni = R"(C:\Fly\Horavia\Horavia.ini)";
constexpr const char* kButtonSound = R"(sound C:\Fly\Horavia\sound_button.wav)";

class MainLifecycleTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  ProcessContext context{world.platform};
  MainWindowModel form{context};
};

TEST_F(MainLifecycleTest, StartUpWithoutSettingsOrSimulator) {
  EXPECT_EQ(form.SyncTimer().Interval(), 20000);
  EXPECT_TRUE(world.timers.events.empty()) << "nothing ticks before the window is loaded";
  form.Start();
  const MainControls& c = form.Controls();
  EXPECT_FALSE(form.Connected());
  EXPECT_FALSE(form.Timekeeping().On());
  EXPECT_EQ(c.caption, "Horavia (OFF)");
  EXPECT_EQ(c.version.caption, "Version 1.3");
  EXPECT_TRUE(c.internalClockFrameVisible);
  EXPECT_FALSE(c.infoFrameVisible);
  EXPECT_EQ(c.simTime.caption, "?? : ??");
  const ButtonFace faces[] = {ButtonFace::Grey, ButtonFace::Grey, ButtonFace::Red,
                              ButtonFace::Grey, ButtonFace::Grey, ButtonFace::Red};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(c.buttons[i].face, faces[i]) << i;
    EXPECT_EQ(c.buttons[i].enabled, faces[i] == ButtonFace::Red) << i;
  }
  EXPECT_EQ(world.timers.armed, (std::map<TimerId, int32_t>{{TimerId::Sync, 20000}, {TimerId::Second, 500}}));
}

TEST_F(MainLifecycleTest, TheSyncTimerTakesTheFilesIntervalAfterItsMessage) {
  world.files.files[kIni] = "SYNC_INTERVAL=7\r\n";
  form.Start();
  EXPECT_EQ(world.timers.armed.at(TimerId::Sync), 7000);

  fakes::FakeWorld other;
  other.files.files[kIni] = "SYNC_INTERVAL=0\r\n";
  ProcessContext otherContext{other.platform};
  MainWindowModel otherForm{otherContext};
  otherForm.Start();
  ASSERT_GE(other.journal.lines.size(), 2u);
  EXPECT_EQ(other.journal.lines[0].rfind("box Invalid SYNC_INTERVAL", 0), 0u);
  EXPECT_EQ(other.journal.lines[1], "arm 2 20000");
  EXPECT_EQ(other.journal.lines.back(), "arm 1 500") << "the half-second tick starts last";
}

TEST_F(MainLifecycleTest, ShutDownStopsTheTimersSavesSoundsThenWaitsEvenWhenTheSaveFails) {
  world.files.files[world.PathOf("\\sound_button.wav")] = "RIFF";
  form.Start();
  world.journal.lines.clear();
  form.Shutdown();
  EXPECT_EQ(world.journal.lines,
            (std::vector<std::string>{"disarm 1", "disarm 2", std::string("replace ") + kIni,
                                      kButtonSound, "sleep 200"}));
  EXPECT_EQ(world.files.files.at(kIni), "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSM_TIMEOUT_RETRY=40\r\n");

  fakes::FakeWorld other;
  other.files.folders.insert(kIni);
  ProcessContext otherContext{other.platform};
  MainWindowModel otherForm{otherContext};
  otherForm.Start();
  otherForm.Shutdown();
  EXPECT_EQ(other.boxes.shown.size(), 1u);
  EXPECT_EQ(other.clock.sleeps, std::vector<int32_t>{200});
}

// A settings file that another program held while Horavia started: the run
// goes on with defaults, and closing does not write them over the user's.
TEST_F(MainLifecycleTest, ASettingsFileLockedAtStartUpSurvivesTheShutDown) {
  const std::string users = "SYNC_INTERVAL=5\r\nSTART_HK=65\r\n";
  world.files.files[kIni] = users;
  world.files.locked.insert(kIni);
  form.Start();
  EXPECT_EQ(form.SyncTimer().Interval(), 20000) << "the defaults";
  EXPECT_TRUE(world.boxes.shown.empty());
  world.files.locked.clear();
  form.Shutdown();
  EXPECT_EQ(world.files.files.at(kIni), users);
  EXPECT_EQ(world.boxes.shown.size(), 1u);
}

// Help opens the page (when there is one); Log and Settings only sound the
// click, their windows being the renderer's to open. None changes a control.
TEST_F(MainLifecycleTest, TextCommandsSoundTheClickAndHelpOpensThePageIfThere) {
  world.files.files[world.PathOf("\\sound_button.wav")] = "RIFF";
  world.files.files[world.PathOf("\\Horavia.htm")] = "<html></html>";
  form.Start();
  form.Press(MainButton::Info);
  world.journal.lines.clear();
  const MainControls before = form.Controls();
  form.OpenHelp();
  form.OpenLog();
  form.OpenSettings();
  EXPECT_EQ(world.journal.lines, (std::vector<std::string>{kButtonSound, R"(open C:\Fly\Horavia\Horavia.htm)",
                                                           kButtonSound, kButtonSound}));
  EXPECT_EQ(form.Controls().buttons, before.buttons);
  EXPECT_EQ(form.Controls().infoFrameVisible, before.infoFrameVisible);
  EXPECT_TRUE(world.boxes.shown.empty());

  world.files.files.erase(world.PathOf("\\Horavia.htm"));
  world.files.folders.insert(world.PathOf("\\Horavia.htm"));  // a folder is no page either
  form.OpenHelp();
  EXPECT_EQ(world.shell.opened.size(), 1u);
  world.files.files.erase(world.PathOf("\\sound_button.wav"));
  world.files.files[world.PathOf("\\Horavia.htm")] = "<html></html>";
  world.files.folders.erase(world.PathOf("\\Horavia.htm"));
  form.OpenHelp();
  EXPECT_EQ(world.shell.opened.size(), 2u) << "the page opens without the sound too";
}

// Three sync ticks of 20 s are the default minimum of 60 s: not logged; a
// fourth is. A window closed while ON logs the period before the settings.
TEST(MainShutDownTest, ClosingWhileOnLogsARunningPeriodAboveTheMinimumFirst) {
  for (const int ticks : {3, 4}) {
    SimulatorWorld w;
    w.StartConnected();
    w.Fly(ticks);
    w.world.journal.lines.clear();
    w.form.Shutdown();
    const std::vector<std::string>& lines = w.world.journal.lines;
    const auto log = std::find(lines.begin(), lines.end(), "append " + w.log);
    const auto ini = std::find(lines.begin(), lines.end(), std::string("replace ") + kIni);
    ASSERT_NE(ini, lines.end());
    EXPECT_EQ(log < ini, ticks == 4) << ticks;
    EXPECT_EQ(log == lines.end(), ticks == 3) << ticks;
    EXPECT_EQ(w.sim.LiveAtoms() + w.sim.LiveViews() + w.sim.LiveHandles(), 0u) << "the link let go";
  }
}

}  // namespace
}  // namespace horavia
