// Why Horavia is not connected: each failure of the link's open as Windows
// shows it to the link, told in the simulator date label's tool tip, while
// the label itself keeps saying "FSUIPC - Not connected".

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "simulator_world.h"

namespace horavia {
namespace {

using simstandin::InProcessSimulator;
using R = LinkResult;

// Each failed open leaves nothing behind; a grey button takes no command;
// the half-second tick's attempts are quiet, each tells its own reason, and
// a connection takes the tip away.
TEST(NotConnectedTest, EachFailureOfTheOpenIsToldInTheDateLabelsTipUntilConnected) {
  const std::tuple<std::function<void(InProcessSimulator&)>, R, const char*> causes[] = {
      {[](InProcessSimulator& s) { s.windowClass.clear(); }, R::NoSimulator, "No simulator with FSUIPC is running: "},
      {[](InProcessSimulator& s) { s.deniedSendError = 5; }, R::SendFailed,
       "The simulator runs at a higher privilege level: start Horavia as administrator too, or neither of them."},
      {[](InProcessSimulator& s) { s.deniedSendError = 1400; }, R::SendFailed, "simulator (error 1400): restart"},
      {[](InProcessSimulator& s) { s.standIn.faults.hang = true; }, R::Timeout, "does not answer: it is still loading"},
      {[](InProcessSimulator& s) { s.standIn.faults.hang = true, s.hangLastError = 1460; }, R::SendFailed,
       "The simulator's window does not answer: it is still loading, or it hangs."},
      {[](InProcessSimulator& s) { s.standIn.Apply("badversion"); }, R::BadVersionFs98Main, "answer as FSUIPC does"},
      {[](InProcessSimulator& s) { s.standIn.Apply("version 80000000 FADE000C"); }, R::BadVersionFs98Main, "as FSUIPC"},
      {[](InProcessSimulator& s) { s.standIn.Apply("version 19980005 FADF000C"); }, R::BadVersionFs98Main, "as FSUIPC"},
      {[](InProcessSimulator& s) { s.windowClass = "UIPCMAIN", s.standIn.Apply("badversion"); }, R::BadVersion,
       "The simulator's window does not answer as FSUIPC does: install a current FSUIPC"},
      {[](InProcessSimulator& s) { s.standIn.faults.reject = true; }, R::Rejected, "FSUIPC refused Horavia's request"},
      {[](InProcessSimulator& s) { s.standIn.Apply("garbage"); }, R::SpoiledAnswer, "answer came back damaged"},
      {[](InProcessSimulator& s) { s.takenNames.insert("FSASMLIB:IPC:1A2B:1"); }, R::NoMapping, "Another program holds"},
      {[](InProcessSimulator& s) { s.failCreateMapping = true, s.refusalError = 5; }, R::NoMapping, "higher privilege"},
      {[](InProcessSimulator& s) { s.failCreateMapping = true, s.refusalError = 1455; }, R::NoMapping, "(error 1455)"},
      {[](InProcessSimulator& s) { s.failAddAtom = true, s.refusalError = 8; }, R::NoAtom,
       "Windows could not add the global atom that names Horavia's shared memory block (error 8)"},
      {[](InProcessSimulator& s) { s.failRegisterMessage = true, s.refusalError = 87; }, R::NoMessage, "(error 87)"},
      {[](InProcessSimulator& s) { s.failMapView = true, s.refusalError = 8; }, R::NoView, "Windows could not map"},
  };
  for (const auto& [spoil, result, told] : causes) {
    SimulatorWorld w;
    spoil(w.sim);
    w.window.Start();
    const std::string& tip = w.Controls().simDate.toolTip;
    EXPECT_NE(tip.find(told), std::string::npos) << tip;
    EXPECT_EQ(w.Glance(), "Horavia (OFF) --R--R ?? : ?? | FSUIPC - Not connected") << told;
    EXPECT_EQ(w.context.link.LastFailure().result, result) << told;
    EXPECT_EQ(w.sim.LiveAtoms() + w.sim.LiveViews() + w.sim.LiveHandles(), 0u) << told;
    w.window.Press(MainButton::Start);
    EXPECT_TRUE(w.world.boxes.shown.empty() && w.TakeSounds() == std::vector<std::string>({"warning", "button"}));
    EXPECT_FALSE(w.Keeper().On()) << "a grey button does nothing";
    w.sim.windowClass.clear();
    w.window.OnHalfSecondTick();
    EXPECT_TRUE(tip.starts_with("No simulator")) << told;
    w.sim.windowClass = "UIPCMAIN";
    w.sim.deniedSendError = 0;
    w.sim.failCreateMapping = w.sim.failAddAtom = w.sim.failRegisterMessage = w.sim.failMapView = false;
    w.sim.takenNames.clear();
    w.sim.standIn.Apply("normal");
    w.sim.standIn.Apply("version 19980005 FADE000C");
    w.window.OnHalfSecondTick();
    EXPECT_EQ(w.Glance(), "Horavia (OFF) RRRRRR 1 : 45 | Saturday, December 5, 2026") << told;
    EXPECT_TRUE(tip.empty() && w.TakeSounds() == std::vector<std::string>{"button"}) << "the retries stay quiet";
  }
}

// The last failure may be one of an exchange: a simulator that stops
// answering while connected is told apart from one that never answered.
TEST(NotConnectedTest, ASimulatorThatStopsAnsweringIsToldSo) {
  SimulatorWorld w;
  w.StartConnected();
  w.sim.hangSends = 41;  // the sync cycle's send and its 40 repeats
  w.sim.hangLastError = 1460;
  w.window.OnSyncTick();
  EXPECT_TRUE(w.Controls().simDate.toolTip.starts_with("The simulator stopped answering"));
  EXPECT_EQ(w.context.link.LastFailure(), (LinkFailure{LinkResult::SendFailed, 1460, false}));
}

}  // namespace
}  // namespace horavia
