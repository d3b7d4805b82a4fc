#include "link/link.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "simstandin/core/in_process_simulator.h"

namespace horavia {
namespace {

using simstandin::Garbage;
using simstandin::InProcessSimulator;

class LinkTest : public ::testing::Test {
 protected:
  void Open() {
    LinkResult result = LinkResult::NoSimulator;
    ASSERT_TRUE(link.Open(0, result));
    ASSERT_EQ(result, LinkResult::Ok);
    sim.journal.clear();
  }
  uint32_t Used() const { return static_cast<uint32_t>(link.State().next - link.State().view); }
  void ExpectNothingHeld() const {
    EXPECT_EQ(sim.LiveAtoms(), 0u);
    EXPECT_EQ(sim.LiveViews(), 0u);
    EXPECT_EQ(sim.LiveHandles(), 0u);
    EXPECT_EQ(link.State().view, nullptr);
    EXPECT_EQ(link.State().atom, 0);
    EXPECT_EQ(link.State().mapping, 0u);
  }

  fakes::FakeClock clock;
  Settings settings;
  InProcessSimulator sim{clock};
  Link link{sim, settings.smTimeoutRetry};
};

TEST_F(LinkTest, OpenPrefersUipcMainAndNamesTheBlockAfterTheProcess) {
  EXPECT_EQ(Link::BlockName(0x1A2B), "FSASMLIB:IPC:1A2B:1");
  EXPECT_EQ(Link::BlockName(0xFFFFFFFF), "FSASMLIB:IPC:FFFFFFFF:1");
  sim.windowClass = "UIPCMAIN";
  Open();
  EXPECT_EQ(link.State().window, InProcessSimulator::kWindow);
  EXPECT_EQ(link.State().message, InProcessSimulator::kMessage);
  EXPECT_LT(link.State().atom, 0) << "string atoms are 0xC000 and up, kept sign-extended";
  EXPECT_NE(sim.BlockNamed("FSASMLIB:IPC:1A2B:1"), nullptr);
  EXPECT_EQ(link.State().view, sim.BlockNamed("FSASMLIB:IPC:1A2B:1"));
  EXPECT_EQ(link.State().next, link.State().view);
  EXPECT_EQ(link.State().interfaceVersion, 0x19980005u);
  EXPECT_EQ(link.State().simulatorVersion, 0x000Cu) << "only the low 16 bits are kept";
  EXPECT_EQ(sim.Sends(), 1) << "one handshake round once both versions are known";
  EXPECT_EQ(sim.sleeps, std::vector<uint32_t>{100});
}

TEST_F(LinkTest, FailedOpenReportsItsStepAndLeavesNothingBehind) {
  struct Case {
    const char* what;
    void (*spoil)(InProcessSimulator&);
    LinkResult expected;
  };
  const Case cases[] = {
      {"no window", [](InProcessSimulator& s) { s.windowClass.clear(); }, LinkResult::NoSimulator},
      {"no message", [](InProcessSimulator& s) { s.failRegisterMessage = true; }, LinkResult::NoMessage},
      {"no atom", [](InProcessSimulator& s) { s.failAddAtom = true; }, LinkResult::NoAtom},
      {"no mapping", [](InProcessSimulator& s) { s.failCreateMapping = true; }, LinkResult::NoMapping},
      {"name taken", [](InProcessSimulator& s) { s.takenNames.insert("FSASMLIB:IPC:1A2B:1"); },
       LinkResult::NoMapping},
      {"no view", [](InProcessSimulator& s) { s.failMapView = true; }, LinkResult::NoView},
      {"rejected handshake", [](InProcessSimulator& s) { s.standIn.faults.reject = true; },
       LinkResult::Rejected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fakes::FakeClock pc;
    InProcessSimulator fresh{pc};
    Link fresh_link{fresh, settings.smTimeoutRetry};
    c.spoil(fresh);
    LinkResult result = LinkResult::Ok;
    EXPECT_FALSE(fresh_link.Open(0, result));
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(fresh.LiveAtoms() + fresh.LiveViews() + fresh.LiveHandles(), 0u);
    EXPECT_EQ(fresh_link.State().view, nullptr);
  }
}

TEST_F(LinkTest, VersionCheckNamesTheClassThatWasFound) {
  sim.standIn.Apply("badversion");
  LinkResult result = LinkResult::Ok;
  EXPECT_FALSE(link.Open(0, result));
  EXPECT_EQ(result, LinkResult::BadVersionFs98Main);
  ExpectNothingHeld();

  sim.windowClass = "UIPCMAIN";
  EXPECT_FALSE(link.Open(0, result));
  EXPECT_EQ(result, LinkResult::BadVersion);

  const std::pair<const char*, const char*> bad[] = {
      {"80000000", "FADE000C"},  // compared as a signed number
      {"19980005", "FADF000C"},
      {"19980004", "FADE000C"},
  };
  for (const auto& [interfaceVersion, simulatorVersion] : bad) {
    sim.standIn.Apply(std::string("version ") + interfaceVersion + " " + simulatorVersion);
    EXPECT_FALSE(link.Open(0, result)) << interfaceVersion << " " << simulatorVersion;
    EXPECT_EQ(result, LinkResult::BadVersion);
  }
  sim.standIn.Apply("version 19980005 FADE0000");
  EXPECT_TRUE(link.Open(0, result)) << "simulator version 0 passes the check";
}

TEST_F(LinkTest, HandshakeAsksFiveTimesWhileAVersionIsZero) {
  sim.standIn.Apply("version 0 FADE000C");
  LinkResult result = LinkResult::Ok;
  EXPECT_FALSE(link.Open(0, result));
  EXPECT_EQ(result, LinkResult::BadVersionFs98Main);
  EXPECT_EQ(sim.Sends(), 5);
  EXPECT_EQ(sim.sleeps, std::vector<uint32_t>(5, 100));
}

TEST_F(LinkTest, RequestedSimulatorVersionMustMatch) {
  LinkResult result = LinkResult::Ok;
  EXPECT_FALSE(link.Open(0x000B, result));
  EXPECT_EQ(result, LinkResult::WrongSimulator);
  ExpectNothingHeld();
  EXPECT_TRUE(link.Open(0x000C, result));
  EXPECT_EQ(result, LinkResult::Ok);
}

TEST_F(LinkTest, SecondOpenFailsAndLeavesTheFirstWorking) {
  Open();
  const uint8_t* view = link.State().view;
  LinkResult result = LinkResult::Ok;
  EXPECT_FALSE(link.Open(0, result));
  EXPECT_EQ(result, LinkResult::AlreadyOpen);
  EXPECT_EQ(link.State().view, view);
  EXPECT_EQ(sim.LiveAtoms(), 1u);
  uint8_t hour = 0;
  sim.standIn.Apply("set time 07:08:09");
  ASSERT_TRUE(link.Read(0x0238, 1, &hour, result));
  ASSERT_TRUE(link.Process(result));
  EXPECT_EQ(hour, 7);
}

TEST_F(LinkTest, SyncCycleReadAndWriteReachTheSimulator) {
  Open();
  sim.standIn.Apply("set zone -300");
  sim.standIn.Apply("set time 13:45:21");
  sim.journal.clear();
  uint8_t t[5] = {};
  uint16_t day = 0, year = 0;
  LinkResult result = LinkResult::NotOpen;
  for (uint32_t i = 0; i < 5; ++i) ASSERT_TRUE(link.Read(0x0238 + i, 1, &t[i], result));
  ASSERT_TRUE(link.Read(0x023E, 2, &day, result));
  ASSERT_TRUE(link.Read(0x0240, 2, &year, result));
  ASSERT_TRUE(link.Process(result));
  EXPECT_EQ(result, LinkResult::Ok);
  EXPECT_EQ((std::array<int, 5>{t[0], t[1], t[2], t[3], t[4]}),
            (std::array<int, 5>{13, 45, 21, 18, 45}));
  EXPECT_EQ(day, 339);
  EXPECT_EQ(year, 2026);
  EXPECT_EQ(sim.journal.front(), "read 0x0238 1 0d");
  EXPECT_EQ(sim.journal[5], "read 0x023E 2 53 01");
  EXPECT_EQ(sim.journal.back(), "answer 1");
  EXPECT_EQ(link.State().next, link.State().view);

  std::array<char, 128> text{};
  std::strcpy(text.data(), " HVA: OFF");
  const uint16_t seconds = 5;
  ASSERT_TRUE(link.Write(0x3380, 128, text.data(), result));
  // cppcheck-suppress unreadVariable ; on purpose: the link copied the bytes already
  text[6] = 'X';  // the source may be reused at once
  ASSERT_TRUE(link.Write(0x32FA, 2, &seconds, result));
  ASSERT_TRUE(link.Process(result));
  EXPECT_EQ(sim.standIn.Aircraft().MessageText(), " HVA: OFF");
  EXPECT_EQ(sim.standIn.Aircraft().MessageSeconds(), 5);
  EXPECT_EQ(sim.standIn.Aircraft().MessageShows(), 1u);
}

TEST_F(LinkTest, ClosedLinkRefusesEveryRequestAndAnEmptyQueueSendsNothing) {
  uint8_t byte = 0;
  LinkResult result = LinkResult::Ok;
  EXPECT_FALSE(link.Read(0x0238, 1, &byte, result));
  EXPECT_EQ(result, LinkResult::NotOpen);
  result = LinkResult::Ok;
  EXPECT_FALSE(link.Write(0x0238, 1, &byte, result));
  EXPECT_EQ(result, LinkResult::NotOpen);
  result = LinkResult::Ok;
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(result, LinkResult::NotOpen);
  EXPECT_EQ(sim.Sends(), 0);

  // Open, an empty queue sends nothing.
  Open();
  const int sends = sim.Sends();
  result = LinkResult::Ok;
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(result, LinkResult::NothingQueued);
  EXPECT_EQ(sim.Sends(), sends);
}

TEST_F(LinkTest, CapacityEndsExactlyAt32512Bytes) {
  Open();
  LinkResult result = LinkResult::Ok;
  uint8_t byte = 0x55;
  ASSERT_TRUE(link.Read(0x0238, 0, &byte, result));
  EXPECT_EQ(Used(), 16u) << "a read of size 0 is its header alone";
  std::vector<uint8_t> big(32512, 0xAB);
  EXPECT_FALSE(link.Write(0, 32512 - 16 - 4 - 12 + 1, big.data(), result));
  EXPECT_EQ(result, LinkResult::BufferFull);
  EXPECT_EQ(Used(), 16u) << "a refused request queues nothing";
  ASSERT_TRUE(link.Write(0x4000, 32512 - 16 - 4 - 12, big.data(), result));
  EXPECT_EQ(Used() + 4, 32512u);
  EXPECT_FALSE(link.Read(0x0238, 0, &byte, result));
  EXPECT_EQ(result, LinkResult::BufferFull);
  ASSERT_TRUE(link.Process(result));
  EXPECT_EQ(byte, 0x55);

  std::vector<uint8_t> back(32512 - 4 - 16, 0);
  EXPECT_FALSE(link.Read(0x4000, 32512 - 4 - 16 + 1, back.data(), result));
  ASSERT_TRUE(link.Read(0x4000, 32512 - 4 - 16, back.data(), result));
  ASSERT_TRUE(link.Process(result));
  EXPECT_EQ(back[0], 0xAB);
  EXPECT_EQ(back[32512 - 4 - 16 - 12 - 1], 0xAB);
}

class LinkRetryTest : public LinkTest {
 protected:
  void SetUp() override {
    Open();
    ASSERT_TRUE(link.Read(0x0238, 1, &hour, result));
    sends = sim.Sends();
    sim.sleeps.clear();
  }
  int SendsNow() const { return sim.Sends() - sends; }

  uint8_t hour = 0xAA;
  LinkResult result = LinkResult::Ok;
  int sends = 0;
};

TEST_F(LinkRetryTest, HangingSimulatorGetsOneSendAndEachRepeat) {
  settings.smTimeoutRetry = 3;
  sim.standIn.faults.hang = true;
  const uint64_t start = sim.NowMs();
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(result, LinkResult::Timeout);
  ASSERT_EQ(SendsNow(), 4);
  for (int n = 0; n < 4; ++n) EXPECT_EQ(sim.SendTime(sends + n) - start, n * 2100u);
  EXPECT_EQ(sim.sleeps, std::vector<uint32_t>(3, 100));
  EXPECT_EQ(hour, 0xAA) << "a failed exchange leaves destinations alone";
  EXPECT_EQ(link.State().next, link.State().view) << "and the queue empty";

  sim.hangLastError = 1460;
  ASSERT_TRUE(link.Read(0x0238, 1, &hour, result));
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(result, LinkResult::SendFailed);
}

TEST_F(LinkRetryTest, AnswerToTheLastRepeatSucceeds) {
  settings.smTimeoutRetry = 3;
  sim.hangSends = 3;
  EXPECT_TRUE(link.Process(result));
  EXPECT_EQ(SendsNow(), 4);
  EXPECT_NE(hour, 0xAA);
}

TEST_F(LinkRetryTest, NoRepeatsAtZeroOrBelow) {
  for (const int32_t retries : {0, -5}) {
    settings.smTimeoutRetry = retries;
    sim.hangSends = 1;
    const int before = sim.Sends();
    ASSERT_TRUE(link.Read(0x0238, 1, &hour, result));
    EXPECT_FALSE(link.Process(result));
    EXPECT_EQ(sim.Sends() - before, 1) << retries;
  }
}

TEST_F(LinkRetryTest, RetryCountIsReadAfreshBeforeEachRepeat) {
  settings.smTimeoutRetry = 40;
  sim.standIn.faults.hang = true;
  sim.beforeSend = [this](int n) {
    if (n == sends + 1) settings.smTimeoutRetry = 2;  // lowered during the first repeat
  };
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(SendsNow(), 3);
}

TEST_F(LinkRetryTest, RejectedOrSpoiledAnswerCopiesNothing) {
  sim.standIn.faults.reject = true;
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(result, LinkResult::Rejected);
  sim.standIn.faults.reject = false;

  for (const Garbage g :
       {Garbage::Type, Garbage::Size, Garbage::Token, Garbage::Offset, Garbage::End}) {
    SCOPED_TRACE(static_cast<int>(g));
    sim.standIn.faults.garbage = g;
    uint16_t year = 0xBBBB;
    ASSERT_TRUE(link.Read(0x0238, 1, &hour, result));
    ASSERT_TRUE(link.Read(0x0240, 2, &year, result));
    result = LinkResult::NoView;
    EXPECT_FALSE(link.Process(result));
    EXPECT_EQ(result, LinkResult::NoView) << "a walk that fails leaves the code as it was";
    EXPECT_EQ(hour, 0xAA);
    EXPECT_EQ(year, 0xBBBB);
    EXPECT_EQ(link.State().next, link.State().view);
  }
}

TEST_F(LinkTest, CloseReleasesEverythingAndResetForgets) {
  link.Close();
  ExpectNothingHeld();
  Open();
  link.Close();
  ExpectNothingHeld();
  link.Close();
  EXPECT_EQ(link.State().interfaceVersion, 0x19980005u) << "versions outlive the connection";

  Open();
  link.Reset();
  EXPECT_EQ(link.State().view, nullptr);
  EXPECT_EQ(sim.LiveAtoms(), 1u) << "reset releases nothing";
  LinkResult result = LinkResult::Ok;
  EXPECT_FALSE(link.Open(0, result)) << "the old block's name is still held";
  EXPECT_EQ(result, LinkResult::NoMapping);
}

}  // namespace
}  // namespace horavia
