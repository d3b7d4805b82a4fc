// The command line's options: how they are read, and a start with them.

#include "windows/start_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulator_world.h"

namespace horavia {
namespace {

TEST(StartOptionsTest, OptionsAreWordsWithSlashOrDashInAnyCaseAndTheRestIsUnknown) {
  using Mode = std::optional<StartMode>;
  const std::pair<const char*, StartOptions> lines[] = {
      {"", {}},
      {"/start", {StartMode::SystemTime, false, {}}},
      {"  -STARTLOC\t", {StartMode::SimulatorTime, false, {}}},
      {"/Minimized /start /startloc", {StartMode::SimulatorTime, true, {}}},
      {"\"/startloc\" -minimized", {StartMode::SimulatorTime, true, {}}},
      {R"(/begin start +start / /start2 "C:\My Files")", {Mode{}, false, {"/begin", "start", "+start", "/", "/start2", "C:\\My Files"}}},
  };
  for (const auto& [line, want] : lines) EXPECT_EQ(ParseStartOptions(line), want) << line;
}

TEST(StartOptionsTest, UnknownWordsGetOneBoxListingTheOptionsAndTheStartGoesOn) {
  SimulatorWorld w;
  w.window.Start(ParseStartOptions("/strat -x"));
  ASSERT_EQ(w.world.boxes.shown.size(), 1u);
  EXPECT_TRUE(w.world.boxes.shown[0].text.starts_with(
      "Unknown options: /strat -x\n\nHoravia knows these options:\n/start\tswitch ON with the PC's time as soon "
      "as the simulator is connected\n/startloc\tswitch ON with the simulator's local time as soon as it is "
      "connected\n/minimized\tstart with the window minimised\n\n"));
  EXPECT_TRUE(w.window.Connected() && !w.Keeper().On());
}

// Started before the simulator: ON as soon as it connects, in the mode
// asked, once in the run; a simulator lost and found again leaves it OFF.
TEST(StartOptionsTest, StartSwitchesOnAtTheFirstConnectionOnly) {
  for (const auto& [line, faces] : {std::pair{"/start", "G-"}, {"/STARTLOC", "-G"}}) {
    SimulatorWorld w;
    w.sim.windowClass.clear();
    w.window.Start(ParseStartOptions(line));
    w.window.OnHalfSecondTick();
    w.sim.windowClass = "FS98MAIN";
    w.window.OnHalfSecondTick();
    EXPECT_EQ(w.Glance().substr(0, 15), std::string("Horavia (ON) ") + faces) << line;
    EXPECT_EQ(w.Count("write 0x0238 "), line == std::string("/start") ? 1u : 0u) << "the Start write";
    EXPECT_EQ(w.TakeSounds(), (std::vector<std::string>{"warning", "button", "start"}));
    w.sim.windowClass.clear();
    w.window.OnSyncTick();
    w.sim.windowClass = "FS98MAIN";
    w.window.OnHalfSecondTick();
    EXPECT_TRUE(w.window.Connected() && !w.Keeper().On()) << line;
  }
}

}  // namespace
}  // namespace horavia
