// A log that another program holds when flights end: nothing is lost, one
// box per failed attempt, and ticks delivered under a box change nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "simulator_world.h"

namespace horavia {
namespace {

constexpr const char* kHeld = R"(Could not write C:\Fly\Horavia\Horavia.log file.)";

class PendingEntriesTest : public ::testing::Test, public SimulatorWorld {
 protected:
  std::string log = world.PathOf("\\Horavia.log");

  // ON from the PC clock for `ticks` sync ticks of 20 s on the ground.
  void Fly(int ticks) {
    form.Press(MainButton::Start);
    ASSERT_TRUE(form.Timekeeping().On());
    for (int i = 0; i < ticks; ++i) {
      AdvanceSeconds(20);
      form.OnSyncTick();
    }
  }
  void Hold() { world.files.locked.insert(log); }
  void Free() { world.files.locked.erase(log); }
  size_t Boxes() const { return world.boxes.shown.size(); }
  std::vector<std::string> EntryTimes() const {
    std::vector<std::string> times;
    const auto it = world.files.files.find(log);
    if (it == world.files.files.end()) return times;
    for (size_t at = it->second.find(" PM\t"); at != std::string::npos;
         at = it->second.find(" PM\t", at + 1)) {
      times.push_back(it->second.substr(at - 8, 11));
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
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Warning);
  EXPECT_EQ(world.boxes.shown[0].text,
            std::string(kHeld) +
                "  Not in the log yet: the flight of Saturday, December 5, 2026 01:46:40 PM "
                "(Flight 00:00:00, Ground 00:01:20, Total 00:01:20).  Horavia keeps it and tries "
                "again at the next switch OFF and when it closes.");
  EXPECT_EQ(form.Log().Pending().size(), 1u);

  // Switching ON again keeps it; the next switch-OFF writes it first, with
  // its own stamp, then the new flight.
  Free();
  AdvanceSeconds(600);
  Fly(5);
  EXPECT_EQ(form.Log().Pending().size(), 1u);
  form.Press(MainButton::Start);
  EXPECT_EQ(Boxes(), 1u);
  EXPECT_TRUE(form.Log().Pending().empty());
  EXPECT_EQ(EntryTimes(), (std::vector<std::string>{"01:46:40 PM", "01:58:20 PM"}));
  EXPECT_NE(world.files.files.at(log).find("\t00:01:20\t80\t00:01:20\t80\t\r\n"),
            std::string::npos);
}

// The simulator goes away while ON with the log held: one box, whatever
// the half-second ticks that run under it and after it try.
TEST_F(PendingEntriesTest, ReconnectAttemptsNeitherRetryNorStackBoxes) {
  StartConnected();
  Fly(4);
  Hold();
  int ticksUnderBox = 0;
  world.boxes.whileOpen = [&](const fakes::FakeMessageBoxes::Shown&) {
    for (int i = 0; i < 8; ++i, ++ticksUnderBox) form.OnHalfSecondTick();
  };
  sim.windowClass.clear();
  AdvanceSeconds(20);
  form.OnSyncTick();
  for (int i = 0; i < 20; ++i) form.OnHalfSecondTick();
  EXPECT_EQ(ticksUnderBox, 8);
  EXPECT_EQ(Boxes(), 1u);
  EXPECT_FALSE(form.Timekeeping().On());
  EXPECT_EQ(form.Log().Pending().size(), 1u);
  EXPECT_EQ(std::count(world.journal.lines.begin(), world.journal.lines.end(),
                       "append " + log),
            0);
}

// With a box up, the simulator comes back and a tick arrives. Run inside
// the switch-OFF, it would connect, and the switch-OFF, resuming, would
// grey the buttons of a connected window for good.
TEST_F(PendingEntriesTest, ATickUnderABoxWaitsAndTheWindowShowsWhatItsFlagsHold) {
  StartConnected();
  Fly(4);
  Hold();
  world.boxes.whileOpen = [&](const fakes::FakeMessageBoxes::Shown&) {
    sim.windowClass = "FS98MAIN";
    form.OnHalfSecondTick();
    form.OnSyncTick();
    form.Press(MainButton::Start);
  };
  sim.windowClass.clear();
  AdvanceSeconds(20);
  form.OnSyncTick();
  ASSERT_EQ(Boxes(), 1u);
  EXPECT_FALSE(form.Connected());
  for (int i : {0, 1, 3, 4}) EXPECT_EQ(Controls().buttons[size_t(i)].face, ButtonFace::Grey);

  world.boxes.whileOpen = nullptr;
  form.OnHalfSecondTick();
  EXPECT_TRUE(form.Connected());
  for (int i : {0, 1, 3, 4}) EXPECT_EQ(Controls().buttons[size_t(i)].face, ButtonFace::Red);
  form.Press(MainButton::StartLocal);
  EXPECT_TRUE(form.Timekeeping().On());
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
  EXPECT_NE(world.boxes.shown[2].text.find("Not in the log yet: 3 flights, Saturday"),
            std::string::npos);
  EXPECT_EQ(form.Log().Pending().size(), 3u);

  // At closing the file is still held: a question offers another try; the
  // user frees the file and tries again.
  world.boxes.whileOpen = [&](const fakes::FakeMessageBoxes::Shown& box) {
    if (box.kind == BoxKind::Question) Free();
  };
  form.Shutdown();
  ASSERT_EQ(Boxes(), 4u);
  EXPECT_EQ(world.boxes.shown[3].kind, BoxKind::Question);
  EXPECT_NE(world.boxes.shown[3].text.find("choose Yes to try again, or No to close Horavia "
                                           "without them."),
            std::string::npos);
  EXPECT_EQ(EntryTimes(), (std::vector<std::string>{"01:46:40 PM", "01:49:20 PM", "01:52:20 PM"}));
  EXPECT_NE(world.files.files.at(log).find("\t00:01:20\t80\t\r\n"), std::string::npos);
  EXPECT_NE(world.files.files.at(log).find("\t00:02:00\t120\t\r\n"), std::string::npos);
}

TEST_F(PendingEntriesTest, ClosingWithoutTheFileAfterNoLeavesItUntouched) {
  StartConnected();
  world.files.files[log] = "the user's log\r\n";
  Fly(4);
  Hold();
  world.boxes.answers = {BoxAnswer::No};
  form.Shutdown();
  ASSERT_EQ(Boxes(), 1u);
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Question);
  EXPECT_EQ(world.files.files.at(log), "the user's log\r\n");
  EXPECT_EQ(world.files.files.count(world.PathOf("\\Horavia.ini")), 1u) << "shut-down went on";
}

// Windows ends the session: the period and the settings are written and no
// box holds Windows up, even when nothing can be written.
TEST_F(PendingEntriesTest, TheEndOfTheWindowsSessionLogsWithoutABox) {
  StartConnected();
  Fly(4);
  form.EndSession();
  EXPECT_EQ(EntryTimes(), std::vector<std::string>{"01:46:40 PM"});
  EXPECT_EQ(world.files.files.at(world.PathOf("\\Horavia.ini")),
            "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSM_TIMEOUT_RETRY=40\r\n");
  EXPECT_EQ(Aircraft().MessageShows(), 1u) << "only the ON line; a closing sends no OFF line";

  SimulatorWorld held;
  held.StartConnected();
  held.form.Press(MainButton::Start);
  for (int i = 0; i < 4; ++i) held.form.OnSyncTick();
  const std::string heldLog = held.world.PathOf("\\Horavia.log");
  held.world.files.files[heldLog] = "the user's log\r\n";
  held.world.files.locked.insert(heldLog);
  held.world.files.folders.insert(held.world.PathOf("\\Horavia.ini"));
  held.form.EndSession();
  EXPECT_TRUE(held.world.boxes.shown.empty());
  EXPECT_EQ(held.world.files.files.at(heldLog), "the user's log\r\n");
  held.form.Shutdown();  // the window's own close that may follow: nothing more
  EXPECT_TRUE(held.world.boxes.shown.empty());
}

// Windows refuses the conversion to the code page in force: that is a
// failed write, kept as pending, never an empty entry counted as written;
// and no empty status line is sent.
TEST_F(PendingEntriesTest, AConversionThatFailsLosesNoFlightAndSendsNoEmptyLine) {
  StartConnected();
  Fly(4);
  const uint32_t shows = Aircraft().MessageShows();
  world.regional.failConversions = true;
  form.Press(MainButton::Start);
  EXPECT_EQ(Boxes(), 1u);
  EXPECT_EQ(form.Log().Pending().size(), 1u);
  EXPECT_EQ(world.files.files.count(log), 0u);
  EXPECT_EQ(Aircraft().MessageShows(), shows);
  world.regional.failConversions = false;
  form.Shutdown();
  EXPECT_EQ(EntryTimes(), std::vector<std::string>{"01:46:40 PM"});
}

// The Start hot key finds the simulator gone: the status hot key of the
// same tick must not hold the window through a second round of time-outs.
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
}

}  // namespace
}  // namespace horavia
