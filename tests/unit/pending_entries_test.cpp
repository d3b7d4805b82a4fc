// A log that another program holds when flights end: nothing is lost, one
// box per failed attempt, and ticks delivered under a box change nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulator_world.h"

namespace horavia {
namespace {

class PendingEntriesTest : public ::testing::Test, public SimulatorWorld {
 protected:
  void Hold() { world.files.locked.insert(log); }
  size_t Boxes() const { return world.boxes.shown.size(); }
  std::vector<std::string> EntryTimes() const {
    std::vector<std::string> times;
    const std::string text = world.files.files.contains(log) ? world.files.files.at(log) : "";
    for (size_t at = text.find(" PM\t"); at != std::string::npos; at = text.find(" PM\t", at + 1)) {
      times.push_back(text.substr(at - 8, 11));
    }
    return times;
  }
};

TEST_F(PendingEntriesTest, AFlightThatCannotBeLoggedWaitsForTheNextSwitchOffWithItsOwnStamp) {
  StartConnected();
  Fly(4);  // 13:46:40 at the last refresh, 80 s on the ground
  Hold();
  form.Press(MainButton::Start);
  ASSERT_EQ(Boxes(), 1u);
  EXPECT_EQ(world.boxes.shown[0].text,
            "Could not write C:\\Fly\\Horavia\\Horavia.log file.  Not in the log yet: the flight "
            "of Saturday, December 5, 2026 01:46:40 PM (Flight 00:00:00, Ground 00:01:20, Total "
            "00:01:20).  Horavia keeps it and tries again at the next switch OFF and when it closes.");
  world.files.locked.clear();
  AdvanceSeconds(600);
  Fly(5);
  EXPECT_EQ(form.Log().Pending().size(), 1u) << "switching ON again keeps it";
  form.Press(MainButton::Start);
  EXPECT_EQ(Boxes(), 1u);
  EXPECT_TRUE(form.Log().Pending().empty());
  EXPECT_EQ(EntryTimes(), (std::vector<std::string>{"01:46:40 PM", "01:58:20 PM"}));
  EXPECT_NE(world.files.files.at(log).find("\t00:01:20\t80\t00:01:20\t80\t\r\n"), std::string::npos);
}

TEST_F(PendingEntriesTest, FlightsKeptAcrossSeveralSwitchOffsAreAllWrittenInOrderAtClosing) {
  StartConnected();
  Hold();
  for (int flight = 0; flight < 3; ++flight) {
    Fly(4 + flight);
    form.Press(MainButton::Start);
    AdvanceSeconds(60);
  }
  EXPECT_EQ(Boxes(), 3u) << "one box per switch-OFF";
  EXPECT_NE(world.boxes.shown[2].text.find("Not in the log yet: 3 flights, Saturday"), std::string::npos);
  // At closing the file is still held: a question offers another try; the
  // user frees the file and tries again.
  world.boxes.whileOpen = [&](const fakes::FakeMessageBoxes::Shown& box) {
    if (box.kind == BoxKind::Question) world.files.locked.clear();
  };
  form.Shutdown();
  ASSERT_EQ(Boxes(), 4u);
  EXPECT_NE(world.boxes.shown[3].text.find("choose Yes to try again, or No to close Horavia without them."),
            std::string::npos);
  EXPECT_EQ(EntryTimes(), (std::vector<std::string>{"01:46:40 PM", "01:49:20 PM", "01:52:20 PM"}));
  EXPECT_NE(world.files.files.at(log).find("\t00:02:00\t120\t\r\n"), std::string::npos);
}

TEST_F(PendingEntriesTest, ClosingAfterNoLeavesTheFileUntouchedAndTheSessionsEndShowsNoBox) {
  StartConnected();
  world.files.files[log] = "the user's log\r\n";
  Fly(4);
  Hold();
  world.boxes.answers = {BoxAnswer::No};
  form.Shutdown();
  ASSERT_EQ(Boxes(), 1u);
  EXPECT_EQ(world.files.files.at(log), "the user's log\r\n");
  EXPECT_EQ(world.files.files.count(world.PathOf("\\Horavia.ini")), 1u) << "shut-down went on";

  // Windows ends the session: the period and the settings are written, or
  // silently not, and no box holds Windows up.
  for (const bool held : {false, true}) {
    SimulatorWorld w;
    w.StartConnected();
    w.Fly(4);
    if (held) w.world.files.locked = {w.log, w.world.PathOf("\\Horavia.ini")};
    w.form.EndSession();
    w.form.Shutdown();  // the window's own close that may follow: nothing more
    EXPECT_TRUE(w.world.boxes.shown.empty());
    EXPECT_EQ(w.world.files.files.count(w.log), held ? 0u : 1u);
    EXPECT_EQ(w.world.files.files.count(w.world.PathOf("\\Horavia.ini")), held ? 0u : 1u);
    EXPECT_EQ(w.Aircraft().MessageShows(), 1u) << "only the ON line; a closing sends no OFF line";
  }
}

// The Start hot key finds the simulator gone: the status hot key of the
// same tick does not hold the window through a second round of time-outs.
TEST_F(PendingEntriesTest, NoExchangeFollowsAFailedOneInTheSameTick) {
  context.settings.startKey = 'A';
  context.settings.statusKey = 'S';
  StartConnected();
  world.keys.held = {'A', 'S'};
  sim.windowClass.clear();
  const int sends = sim.Sends();
  form.OnHalfSecondTick();
  EXPECT_EQ(sim.Sends() - sends, 1 + context.settings.smTimeoutRetry);
  EXPECT_FALSE(form.Connected());
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "warning"})) << "and no start sound";
}

}  // namespace
}  // namespace horavia
