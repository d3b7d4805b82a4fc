// The main window: its start-up and shut-down, and its buttons, hot keys and
// status line against the in-process simulator.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/fake_platform.h"
#include "simulator_world.h"
#include "windows/main_window_model.h"

namespace horavia {
namespace {

constexpr const char* kIni = R"(C:\Fly\Horavia\Horavia.ini)";
constexpr const char* kButtonSound = R"(sound C:\Fly\Horavia\sound_button.wav)";

struct BareWindow {
  explicit BareWindow(const char* ini = nullptr) {
    if (ini != nullptr) world.files.files[kIni] = ini;
  }
  fakes::FakeWorld world;
  ProcessContext context{world.platform};
  MainWindowModel window{context};
};

TEST(MainLifecycleTest, TimersArmAfterTheStartUpMessageStopFirstAtShutDownAndAnUnreadFileIsKept) {
  BareWindow w;
  w.world.files.files[w.world.PathOf("\\sound_button.wav")] = "RIFF";
  EXPECT_TRUE(w.world.timers.events.empty()) << "nothing ticks before the window is loaded";
  w.window.Start();
  const MainControls& c = w.window.Controls();
  EXPECT_EQ(Glance(c) + " " + c.version.caption, "Horavia (OFF) --R--R ?? : ?? | FSUIPC - Not connected Version 1.3");
  EXPECT_TRUE(c.internalClockFrameVisible && !c.infoFrameVisible);
  EXPECT_EQ(w.world.timers.armed, (std::map<TimerId, int32_t>{{TimerId::Sync, 20000}, {TimerId::Second, 500}}));
  BareWindow zero("SYNC_INTERVAL=0\r\n");
  zero.window.Start();
  const std::vector<std::string>& lines = zero.world.journal;
  EXPECT_TRUE(lines.at(0).starts_with("box Invalid SYNC_INTERVAL") && lines.at(1) == "arm 2 20000");
  EXPECT_EQ(lines.back(), "arm 1 500") << "the half-second tick starts last";

  w.world.journal.clear();
  w.window.Shutdown();
  EXPECT_EQ(w.world.journal, (std::vector<std::string>{"disarm 1", "disarm 2", std::string("replace ") + kIni,
                                                             kButtonSound, "sleep 200"}));
  EXPECT_EQ(w.world.files.files.at(kIni), "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSM_TIMEOUT_RETRY=40\r\n");

  // A settings file that another program held while Horavia started: the
  // run goes on with defaults, and closing does not write them over it.
  BareWindow held("SYNC_INTERVAL=5\r\n");
  held.world.files.locked.insert(kIni);
  held.window.Start();
  EXPECT_EQ(held.window.SyncTimer().Interval(), 20000);
  held.world.files.locked.clear();
  held.window.Shutdown();
  EXPECT_EQ(held.world.files.files.at(kIni), "SYNC_INTERVAL=5\r\n");
  EXPECT_EQ(held.world.boxes.shown.size() + held.world.clock.sleeps.size(), 2u) << "one box, then the wait";
}

// Three sync ticks of 20 s are the default minimum of 60 s: not logged; a
// fourth is. A window closed while ON logs the period before the settings.
// When Windows ends the session (true) they are written, or silently not when
// held, and no box holds Windows up; the window's own close that may follow
// does nothing more. No closing sends an OFF line.
TEST(MainLifecycleTest, ClosingOrTheSessionsEndWhileOnLogsARunningPeriodAboveTheMinimumFirst) {
  for (const auto& [ticks, endSession, held] :
       {std::tuple{3, false, false}, {4, false, false}, {4, true, false}, {4, true, true}}) {
    SimulatorWorld w;
    w.StartConnected();
    w.Fly(ticks);
    if (held) w.world.files.locked = {w.log, kIni};
    w.world.journal.clear();
    if (endSession) w.window.EndSession();
    w.window.Shutdown();
    const std::vector<std::string>& lines = w.world.journal;
    const auto log = std::ranges::find(lines, "append " + w.log);
    const auto ini = std::ranges::find(lines, std::string("replace ") + kIni);
    const bool logged = ticks == 4 && !held;
    EXPECT_TRUE((ini != lines.end()) == !held && (log != lines.end()) == logged &&
                (!logged || log < ini))
        << ticks << " ticks, held " << held;
    EXPECT_TRUE(w.world.boxes.shown.empty() && w.Aircraft().MessageShows() == 1u)
        << "only the ON line";
    EXPECT_EQ(w.sim.LiveAtoms() + w.sim.LiveViews() + w.sim.LiveHandles(), 0u) << "the link let go";
  }
}

constexpr int32_t kShift = 16, kControl = 17;

class CommandsTest : public ::testing::Test, public SimulatorWorld {
 protected:
  std::string MessageBytes() {
    std::array<uint8_t, 128> bytes{};
    Aircraft().Read(0x3380, 128, bytes.data());
    return {bytes.begin(), bytes.end()};
  }
};

TEST_F(CommandsTest, StartSetsTheSimulatorFromThePcClockCarryingZuluIntoItsDate) {
  Aircraft().SetZone(-300);
  Aircraft().SetLocalTime(8, 0, 0);
  world.clock.now = LocalDateTime{2026, 12, 31, 22, 30, 15};
  StartConnected();
  window.Press(MainButton::Start);
  // Zulu is 03:30 on 1 January 2027.
  ExpectEachOnce({"write 0x0238 1 16", "write 0x0239 1 1e", "write 0x023A 1 0f", "write 0x023B 1 03",
                  "write 0x023C 1 1e", "write 0x023E 2 01 00", "write 0x0240 2 eb 07"});
  EXPECT_EQ(Glance(), "Horavia (ON) G-RRRR 10 : 30 | Thursday, December 31, 2026");
  EXPECT_TRUE(Keeper().InternalClockOffset() == 0 && Controls().simTime.color == colors::kBrightGreen &&
              Controls().simZulu.color == colors::kDarkGreen) << "the clock lit as ON, the Zulu lamp as ON and off";
  EXPECT_TRUE(TakeSounds() == std::vector<std::string>({"button", "start"}) && Aircraft().MessageShows() == 1)
      << "the start sound, and the status line sent";
  EXPECT_TRUE(world.timers.events.back().id == TimerId::Sync && world.timers.events.back().armed)
      << "the sync timer starts its period afresh";
}

TEST_F(CommandsTest, SwitchingOffTurnsEverythingBackAndLogsThePeriodOnce) {
  StartConnected();
  Fly(4);
  TakeSounds();
  window.Press(MainButton::Start);
  EXPECT_EQ(Glance(), "Horavia (OFF) RRRRRR 1 : 46 | Saturday, December 5, 2026");
  EXPECT_EQ(Controls().simTime.color, colors::kYellow);
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "warning"}));
  EXPECT_EQ(Aircraft().MessageText(), " HVA: OFF");
  const std::string logged = world.files.files.at(log);
  window.Shutdown();
  EXPECT_EQ(world.files.files.at(log), logged) << "closing right afterwards logs nothing more";
}

TEST_F(CommandsTest, DisplayTogglesRedrawWithoutCorrecting) {
  Aircraft().SetZone(-300);
  Aircraft().SetLocalTime(14, 5, 0);
  StartConnected();
  for (const MainButton b : {MainButton::Hour24, MainButton::Zulu, MainButton::Chronometers}) window.Press(b);
  EXPECT_EQ(Glance(), "Horavia (OFF) RRGGGR 19 : 05 | F: 00:00:00  G: 00:00:00  T: 00:00:00");
  EXPECT_EQ(Controls().simZulu.color, colors::kYellow);
  window.Press(MainButton::Info);
  EXPECT_TRUE(Controls().infoFrameVisible && !Controls().internalClockFrameVisible);
  for (const MainButton b : {MainButton::Info, MainButton::Zulu, MainButton::Hour24}) window.Press(b);
  EXPECT_EQ(Glance(), "Horavia (OFF) RRRRGR 2 : 05 | F: 00:00:00  G: 00:00:00  T: 00:00:00");
  EXPECT_TRUE(!Controls().infoFrameVisible && Controls().internalClockFrameVisible);
  EXPECT_EQ(Controls().simZulu.color, colors::kOlive);
  Aircraft().Drift(3600);
  window.OnSyncTick();
  EXPECT_EQ(Controls().simTime.caption, "3 : 05") << "OFF, a sync tick shows the simulator";
  EXPECT_EQ(Count("write"), 0u) << "and never writes";
  sim.windowClass.clear();  // the simulator has just gone
  window.Press(MainButton::Zulu);
  EXPECT_EQ(Glance(), "Horavia (OFF) --R--R ?? : ?? | FSUIPC - Not connected");
}

TEST_F(CommandsTest, HotKeysNeedTheirExactModifiersAndAUsableButton) {
  context.settings.startKey = 'A';
  context.settings.startModifiers = 1;
  context.settings.startLocKey = 'L';
  StartConnected();
  std::string faces;
  for (const auto& keys : {std::set<int32_t>{'A'}, {'A', kControl, kShift}, {'A', kControl}, {'L'},
                           {'A', kControl}, {'A', kControl}}) {  // held on, it toggles every tick
    world.keys.reads.clear();
    world.keys.held = keys;
    window.OnHalfSecondTick();
    faces += Glance().substr(Glance().find(')') + 2, 2) + (std::ranges::count(world.keys.reads, 'L') ? "L " : " ");
  }
  // L: Start Loc's key was read, which it is not while its button is grey.
  EXPECT_EQ(faces, "RRL RRL G- G- RRL G- ");

  // Modifier codes: 0 none, 1 CTRL, 2 SHIFT, 3 both; any other acts as 0.
  const std::pair<int32_t, std::set<int32_t>> cases[] = {
      {0, {'B'}}, {0, {'B', kControl}}, {2, {'B', kShift}}, {2, {'B', kShift, kControl}},
      {3, {'B', kShift, kControl}}, {3, {'B', kControl}}, {7, {'B'}}, {7, {'B', kShift}}};
  context.settings.startKey = 0;
  context.settings.statusKey = 'B';
  std::string acted;
  for (const auto& [code, held] : cases) {
    context.settings.statusModifiers = code;
    const uint32_t shows = Aircraft().MessageShows();
    world.keys.held = held;
    window.OnHalfSecondTick();
    acted += Aircraft().MessageShows() > shows ? '1' : '0';
  }
  EXPECT_EQ(acted, "10101010");
}

TEST_F(CommandsTest, TheStatusLineReachesTheSimulatorWholeOrCut) {
  Aircraft().SetZone(-300);
  Aircraft().SetLocalTime(10, 0, 0);
  context.settings.statusKey = 'S';
  StartConnected();
  world.keys.held = {'S'};
  window.OnHalfSecondTick();
  EXPECT_EQ(Aircraft().MessageText() + " for " + std::to_string(Aircraft().MessageSeconds()), " HVA: OFF for 5");
  EXPECT_TRUE(sim.journal.at(sim.journal.size() - 2).starts_with("write 0x32FA 2 05 00"))
      << "the display time follows the text";
  world.keys.held.clear();
  window.Press(MainButton::StartLocal);
  const std::string on =
      " HVA: ON  Time: 10:00(AM), 12/5/2026  Zulu Offset: -5  Chrono: F(00:00:00), G(00:00:00), T(00:00:00)";
  EXPECT_EQ(MessageBytes(), on + std::string(128 - on.size(), '\0'));
  Simulator(context.link).ShowText(std::string(300, 'x'));
  EXPECT_EQ(MessageBytes(), std::string(127, 'x') + '\0') << "the terminating zero always fits";
  // A character with no form in the code page arrives as "?".
  world.regional.decimalSeparator = "\xE2\x82\xAC";
  Aircraft().SetZone(330);
  window.OnSyncTick();
  world.keys.held = {'S'};
  window.OnHalfSecondTick();
  EXPECT_NE(Aircraft().MessageText().find("Zulu Offset: 5?5  "), std::string::npos);
}

}  // namespace
}  // namespace horavia
