// Why Horavia is not connected: each cause as Windows shows it to the link,
// told in the simulator date label's tool tip, while the label itself keeps
// saying "FSUIPC - Not connected".

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "simulator_world.h"

namespace horavia {
namespace {

using simstandin::InProcessSimulator;

TEST(NotConnectedTest, EachFailureOfTheOpenIsToldInTheDateLabelsTipUntilConnected) {
  const std::pair<std::function<void(InProcessSimulator&)>, const char*> causes[] = {
      {[](InProcessSimulator& s) { s.windowClass.clear(); }, "No simulator with FSUIPC is running: start"},
      {[](InProcessSimulator& s) { s.deniedSendError = 5; },
       "The simulator runs at a higher privilege level: start Horavia as administrator too, or neither of them."},
      {[](InProcessSimulator& s) { s.deniedSendError = 1400; }, "to the simulator (error 1400): restart"},
      {[](InProcessSimulator& s) { s.standIn.faults.hang = true; }, "does not answer: it is still loading, or it hangs"},
      {[](InProcessSimulator& s) { s.standIn.faults.hang = true, s.hangLastError = 1460; }, "does not answer: it is"},
      {[](InProcessSimulator& s) { s.standIn.Apply("badversion"); }, "does not answer as FSUIPC does: install"},
      {[](InProcessSimulator& s) { s.windowClass = "UIPCMAIN", s.standIn.Apply("badversion"); }, "as FSUIPC does"},
      {[](InProcessSimulator& s) { s.standIn.faults.reject = true; }, "FSUIPC refused Horavia's request"},
      {[](InProcessSimulator& s) { s.standIn.Apply("garbage"); }, "answer came back damaged"},
      {[](InProcessSimulator& s) { s.takenNames.insert("FSASMLIB:IPC:1A2B:1"); }, "Another program holds the name"},
      {[](InProcessSimulator& s) { s.failCreateMapping = true, s.refusalError = 5; }, "a higher privilege level holds"},
      {[](InProcessSimulator& s) { s.failCreateMapping = true, s.refusalError = 1455; }, "block (error 1455): close"},
      {[](InProcessSimulator& s) { s.failAddAtom = true, s.refusalError = 8; }, "global atom that names Horavia's "
                                                                                  "shared memory block (error 8)"},
      {[](InProcessSimulator& s) { s.failRegisterMessage = true, s.refusalError = 87; }, "message (error 87)"},
      {[](InProcessSimulator& s) { s.failMapView = true, s.refusalError = 8; }, "Windows could not map"},
  };
  for (const auto& [spoil, told] : causes) {
    SimulatorWorld w;
    spoil(w.sim);
    w.window.Start();
    const LabelState& date = w.Controls().simDate;
    EXPECT_NE(date.toolTip.find(told), std::string::npos) << date.toolTip;
    EXPECT_EQ(date.caption, "FSUIPC - Not connected");
    EXPECT_TRUE(w.world.boxes.shown.empty() && w.TakeSounds() == std::vector<std::string>{"warning"}) << told;
    // Each quiet attempt tells its own reason; a connection takes the tip away.
    w.sim.windowClass.clear();
    w.window.OnHalfSecondTick();
    EXPECT_TRUE(date.toolTip.starts_with("No simulator")) << told;
    w.sim.windowClass = "FS98MAIN";
    w.sim.deniedSendError = 0;
    w.sim.failCreateMapping = w.sim.failAddAtom = w.sim.failRegisterMessage = w.sim.failMapView = false;
    w.sim.takenNames.clear();
    w.sim.standIn.Apply("normal");
    w.sim.standIn.Apply("version 19980005 FADE000C");
    w.window.OnHalfSecondTick();
    EXPECT_TRUE(w.window.Connected() && date.toolTip.empty()) << told;
    EXPECT_TRUE(w.TakeSounds() == std::vector<std::string>{"button"}) << "the retries stay quiet";
  }
}

// The last failure may be one of an exchange: a simulator that stops
// answering while connected is told apart from one that never answered.
TEST(NotConnectedTest, ASimulatorThatStopsAnsweringIsToldSoAndTheNextAttemptTellsItsOwn) {
  SimulatorWorld w;
  w.StartConnected();
  w.sim.hangSends = 41;  // the sync cycle's send and its 40 repeats
  w.sim.hangLastError = 1460;
  w.window.OnSyncTick();
  EXPECT_TRUE(w.Controls().simDate.toolTip.starts_with("The simulator stopped answering"));
  EXPECT_EQ(w.context.link.LastFailure(), (LinkFailure{LinkResult::SendFailed, 1460, false}));
  w.sim.deniedSendError = 5;
  w.window.OnHalfSecondTick();
  EXPECT_EQ(w.context.link.LastFailure(), (LinkFailure{LinkResult::SendFailed, 5, true}));
}

}  // namespace
}  // namespace horavia
