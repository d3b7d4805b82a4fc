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
constexpr const char* kHelp = R"(C:\Fly\Horavia\Horavia.htm)";
constexpr const char* kButtonSound = R"(sound C:\Fly\Horavia\sound_button.wav)";

struct BareWindow {
  explicit BareWindow(const char* ini = nullptr) {
    if (ini != nullptr) world.files.files[kIni] = ini;
  }
  fakes::FakeWorld world;
  ProcessContext context{world.platform};
  MainWindowModel form{context};
};

TEST(MainLifecycleTest, StartUpArmsTheTimersAtTheFilesIntervalAfterItsMessage) {
  BareWindow w;
  EXPECT_TRUE(w.world.timers.events.empty()) << "nothing ticks before the window is loaded";
  w.form.Start();
  const MainControls& c = w.form.Controls();
  EXPECT_EQ(c.caption + " " + c.simTime.caption + " " + c.version.caption, "Horavia (OFF) ?? : ?? Version 1.3");
  EXPECT_TRUE(c.internalClockFrameVisible && !c.infoFrameVisible);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(c.buttons[i].face, i % 3 == 2 ? ButtonFace::Red : ButtonFace::Grey) << i;
    EXPECT_EQ(c.buttons[i].enabled, i % 3 == 2) << i;
  }
  EXPECT_EQ(w.world.timers.armed, (std::map<TimerId, int32_t>{{TimerId::Sync, 20000}, {TimerId::Second, 500}}));
  BareWindow seven("SYNC_INTERVAL=7\r\n");
  seven.form.Start();
  EXPECT_EQ(seven.world.timers.armed.at(TimerId::Sync), 7000);
  BareWindow zero("SYNC_INTERVAL=0\r\n");
  zero.form.Start();
  const std::vector<std::string>& lines = zero.world.journal;
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("box Invalid SYNC_INTERVAL", 0), 0u);
  EXPECT_EQ(lines[1], "arm 2 20000");
  EXPECT_EQ(lines.back(), "arm 1 500") << "the half-second tick starts last";
}

TEST(MainLifecycleTest, ShutDownStopsTheTimersSavesSoundsThenWaitsAndKeepsAnUnreadFile) {
  BareWindow w;
  w.world.files.files[w.world.PathOf("\\sound_button.wav")] = "RIFF";
  w.form.Start();
  w.world.journal.clear();
  w.form.Shutdown();
  EXPECT_EQ(w.world.journal, (std::vector<std::string>{"disarm 1", "disarm 2", std::string("replace ") + kIni,
                                                             kButtonSound, "sleep 200"}));
  EXPECT_EQ(w.world.files.files.at(kIni), "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSM_TIMEOUT_RETRY=40\r\n");

  // A settings file that another program held while Horavia started: the
  // run goes on with defaults, and closing does not write them over it.
  BareWindow held("SYNC_INTERVAL=5\r\n");
  held.world.files.locked.insert(kIni);
  held.form.Start();
  EXPECT_EQ(held.form.SyncTimer().Interval(), 20000);
  held.world.files.locked.clear();
  held.form.Shutdown();
  EXPECT_EQ(held.world.files.files.at(kIni), "SYNC_INTERVAL=5\r\n");
  EXPECT_EQ(held.world.boxes.shown.size(), 1u);
  EXPECT_EQ(held.world.clock.sleeps, std::vector<int32_t>{200}) << "the shut-down goes on";
}

// Help opens the page (when there is one); Log and Settings only sound the
// click, their windows being the renderer's to open. None changes a control.
TEST(MainLifecycleTest, TextCommandsSoundTheClickAndHelpOpensThePageIfThere) {
  BareWindow w;
  w.world.files.files[w.world.PathOf("\\sound_button.wav")] = "RIFF";
  w.world.files.files[kHelp] = "<html></html>";
  w.form.Start();
  w.form.Press(MainButton::Info);
  w.world.journal.clear();
  const MainControls before = w.form.Controls();
  w.form.OpenHelp();
  w.form.OpenLog();
  w.form.OpenSettings();
  EXPECT_EQ(w.world.journal,
            (std::vector<std::string>{kButtonSound, std::string("open ") + kHelp, kButtonSound, kButtonSound}));
  EXPECT_EQ(w.form.Controls().buttons, before.buttons);
  EXPECT_EQ(w.form.Controls().infoFrameVisible, before.infoFrameVisible);
  w.world.files.files.erase(kHelp);
  w.world.files.folders.insert(kHelp);  // a folder is no page either
  w.form.OpenHelp();
  w.world.files.files.erase(w.world.PathOf("\\sound_button.wav"));
  w.world.files.files[kHelp] = "<html></html>";
  w.world.files.folders.erase(kHelp);
  w.form.OpenHelp();
  EXPECT_EQ(w.world.shell.opened, (std::vector<std::string>(2, kHelp))) << "without the sound too";
}

// Three sync ticks of 20 s are the default minimum of 60 s: not logged; a
// fourth is. A window closed while ON logs the period before the settings.
TEST(MainLifecycleTest, ClosingWhileOnLogsARunningPeriodAboveTheMinimumFirst) {
  for (const int ticks : {3, 4}) {
    SimulatorWorld w;
    w.StartConnected();
    w.Fly(ticks);
    w.world.journal.clear();
    w.form.Shutdown();
    const std::vector<std::string>& lines = w.world.journal;
    const auto log = std::ranges::find(lines, "append " + w.log);
    const auto ini = std::ranges::find(lines, std::string("replace ") + kIni);
    ASSERT_NE(ini, lines.end());
    EXPECT_EQ(log < ini, ticks == 4) << ticks;
    EXPECT_EQ(log == lines.end(), ticks == 3) << ticks;
    EXPECT_EQ(w.sim.LiveAtoms() + w.sim.LiveViews() + w.sim.LiveHandles(), 0u) << "the link let go";
  }
}

}  // namespace
}  // namespace horavia
