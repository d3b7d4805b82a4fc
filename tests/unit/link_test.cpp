#include "link/link.h"

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
    ASSERT_EQ(link.Open(0), LinkResult::Ok);
    sim.journal.clear();
  }
  void ExpectNothingHeld() const {
    EXPECT_EQ(sim.LiveAtoms(), 0u);
    EXPECT_EQ(sim.LiveViews(), 0u);
    EXPECT_EQ(sim.LiveHandles(), 0u);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(link.Connection(), nullptr);
  }
  LinkResult ReadHour(uint8_t& hour) {
    const LinkRequest read[] = {LinkRequest::Read(0x0238, 1, &hour)};
    return link.Exchange(read);
  }

  fakes::FakeClock clock;
  int32_t retries = 40;
  InProcessSimulator sim{clock};
  Link link{sim, retries};
};

TEST_F(LinkTest, OpenPrefersUipcMainAndNamesTheBlockAfterTheProcess) {
  EXPECT_EQ(Link::BlockName(0x1A2B), "FSASMLIB:IPC:1A2B:1");
  EXPECT_EQ(Link::BlockName(0xFFFFFFFF), "FSASMLIB:IPC:FFFFFFFF:1");
  sim.windowClass = "UIPCMAIN";
  Open();
  const LinkConnection& held = *link.Connection();
  EXPECT_EQ(held.window, InProcessSimulator::kWindow);
  EXPECT_EQ(held.message, InProcessSimulator::kMessage);
  EXPECT_LT(held.atom, 0) << "string atoms are 0xC000 and up, kept sign-extended";
  EXPECT_NE(sim.BlockNamed("FSASMLIB:IPC:1A2B:1"), nullptr);
  EXPECT_EQ(held.view, sim.BlockNamed("FSASMLIB:IPC:1A2B:1"));
  EXPECT_EQ(link.InterfaceVersion(), 0x19980005u);
  EXPECT_EQ(link.SimulatorVersion(), 0x000Cu) << "only the low 16 bits are kept";
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
      {"no message", [](InProcessSimulator& s) { s.failRegisterMessage = true; },
       LinkResult::NoMessage},
      {"no atom", [](InProcessSimulator& s) { s.failAddAtom = true; }, LinkResult::NoAtom},
      {"no mapping", [](InProcessSimulator& s) { s.failCreateMapping = true; },
       LinkResult::NoMapping},
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
    Link freshLink{fresh, retries};
    c.spoil(fresh);
    EXPECT_EQ(freshLink.Open(0), c.expected);
    EXPECT_EQ(fresh.LiveAtoms() + fresh.LiveViews() + fresh.LiveHandles(), 0u);
    EXPECT_FALSE(freshLink.IsOpen());
  }
}

TEST_F(LinkTest, VersionCheckNamesTheClassThatWasFound) {
  sim.standIn.Apply("badversion");
  EXPECT_EQ(link.Open(0), LinkResult::BadVersionFs98Main);
  ExpectNothingHeld();

  sim.windowClass = "UIPCMAIN";
  EXPECT_EQ(link.Open(0), LinkResult::BadVersion);

  const std::pair<const char*, const char*> bad[] = {
      {"80000000", "FADE000C"},  // compared as a signed number
      {"19980005", "FADF000C"},
      {"19980004", "FADE000C"},
  };
  for (const auto& [interfaceVersion, simulatorVersion] : bad) {
    sim.standIn.Apply(std::string("version ") + interfaceVersion + " " + simulatorVersion);
    EXPECT_EQ(link.Open(0), LinkResult::BadVersion) << interfaceVersion << " " << simulatorVersion;
  }
  sim.standIn.Apply("version 19980005 FADE0000");
  EXPECT_EQ(link.Open(0), LinkResult::Ok) << "simulator version 0 passes the check";
}

TEST_F(LinkTest, HandshakeAsksFiveTimesWhileAVersionIsZero) {
  sim.standIn.Apply("version 0 FADE000C");
  EXPECT_EQ(link.Open(0), LinkResult::BadVersionFs98Main);
  EXPECT_EQ(sim.Sends(), 5);
  EXPECT_EQ(sim.sleeps, std::vector<uint32_t>(5, 100));
}

TEST_F(LinkTest, RequestedSimulatorVersionMustMatch) {
  EXPECT_EQ(link.Open(0x000B), LinkResult::WrongSimulator);
  ExpectNothingHeld();
  EXPECT_EQ(link.Open(0x000C), LinkResult::Ok);
}

TEST_F(LinkTest, SecondOpenFailsAndLeavesTheFirstWorking) {
  Open();
  const uint8_t* view = link.Connection()->view;
  EXPECT_EQ(link.Open(0), LinkResult::AlreadyOpen);
  EXPECT_EQ(link.Connection()->view, view);
  EXPECT_EQ(sim.LiveAtoms(), 1u);
  uint8_t hour = 0;
  sim.standIn.Apply("set time 07:08:09");
  ASSERT_EQ(ReadHour(hour), LinkResult::Ok);
  EXPECT_EQ(hour, 7);
}

TEST_F(LinkTest, SyncCycleReadAndWriteReachTheSimulator) {
  Open();
  sim.standIn.Apply("set zone -300");
  sim.standIn.Apply("set time 13:45:21");
  sim.journal.clear();
  uint8_t t[5] = {};
  uint16_t day = 0, year = 0;
  const LinkRequest reads[] = {
      LinkRequest::Read(0x0238, 1, &t[0]), LinkRequest::Read(0x0239, 1, &t[1]),
      LinkRequest::Read(0x023A, 1, &t[2]), LinkRequest::Read(0x023B, 1, &t[3]),
      LinkRequest::Read(0x023C, 1, &t[4]), LinkRequest::Read(0x023E, 2, &day),
      LinkRequest::Read(0x0240, 2, &year)};
  ASSERT_EQ(link.Exchange(reads), LinkResult::Ok);
  EXPECT_EQ((std::array<int, 5>{t[0], t[1], t[2], t[3], t[4]}),
            (std::array<int, 5>{13, 45, 21, 18, 45}));
  EXPECT_EQ(day, 339);
  EXPECT_EQ(year, 2026);
  EXPECT_EQ(sim.journal.front(), "read 0x0238 1 0d");
  EXPECT_EQ(sim.journal[5], "read 0x023E 2 53 01");
  EXPECT_EQ(sim.journal.back(), "answer 1");

  std::array<char, 128> text{};
  std::strcpy(text.data(), " HVA: OFF");
  const uint16_t seconds = 5;
  const LinkRequest writes[] = {LinkRequest::Write(0x3380, 128, text.data()),
                                LinkRequest::Write(0x32FA, 2, &seconds)};
  ASSERT_EQ(link.Exchange(writes), LinkResult::Ok);
  EXPECT_EQ(sim.standIn.Aircraft().MessageText(), " HVA: OFF");
  EXPECT_EQ(sim.standIn.Aircraft().MessageSeconds(), 5);
  EXPECT_EQ(sim.standIn.Aircraft().MessageShows(), 1u);
}

TEST_F(LinkTest, ClosedLinkOrNoRequestSendsNothing) {
  uint8_t byte = 0;
  EXPECT_EQ(ReadHour(byte), LinkResult::NotOpen);
  EXPECT_EQ(sim.Sends(), 0);
  Open();
  const int sends = sim.Sends();
  EXPECT_EQ(link.Exchange({}), LinkResult::NothingQueued);
  EXPECT_EQ(sim.Sends(), sends);
}

// The block's last 256 bytes are never used: requests and the end marker
// fit in 32512. A read of size 0 is its 16-byte header alone.
TEST_F(LinkTest, CapacityEndsExactlyAt32512Bytes) {
  Open();
  uint8_t byte = 0x55;
  std::vector<uint8_t> big(32512, 0xAB);
  const uint32_t fits = 32512 - 16 - 4 - 12;
  const LinkRequest tooMuch[] = {LinkRequest::Read(0x0238, 0, &byte),
                                 LinkRequest::Write(0x4000, fits + 1, big.data())};
  const int sends = sim.Sends();
  EXPECT_EQ(link.Exchange(tooMuch), LinkResult::BufferFull);
  EXPECT_EQ(sim.Sends(), sends) << "nothing is sent";
  const LinkRequest full[] = {LinkRequest::Read(0x0238, 0, &byte),
                              LinkRequest::Write(0x4000, fits, big.data())};
  ASSERT_EQ(link.Exchange(full), LinkResult::Ok);
  EXPECT_EQ(byte, 0x55);

  std::vector<uint8_t> back(32512 - 4 - 16 + 1, 0);
  const LinkRequest oneOver[] = {LinkRequest::Read(0x4000, 32512 - 4 - 16 + 1, back.data())};
  EXPECT_EQ(link.Exchange(oneOver), LinkResult::BufferFull);
  const LinkRequest whole[] = {LinkRequest::Read(0x4000, 32512 - 4 - 16, back.data())};
  ASSERT_EQ(link.Exchange(whole), LinkResult::Ok);
  EXPECT_EQ(back[0], 0xAB);
  EXPECT_EQ(back[fits - 1], 0xAB);
}

class LinkRetryTest : public LinkTest {
 protected:
  void SetUp() override {
    Open();
    sends = sim.Sends();
    sim.sleeps.clear();
  }
  int SendsNow() const { return sim.Sends() - sends; }

  uint8_t hour = 0xAA;
  int sends = 0;
};

TEST_F(LinkRetryTest, HangingSimulatorGetsOneSendAndEachRepeat) {
  retries = 3;
  sim.standIn.faults.hang = true;
  const uint64_t start = sim.NowMs();
  EXPECT_EQ(ReadHour(hour), LinkResult::Timeout);
  ASSERT_EQ(SendsNow(), 4);
  for (int n = 0; n < 4; ++n) EXPECT_EQ(sim.SendTime(sends + n) - start, n * 2100u);
  EXPECT_EQ(sim.sleeps, std::vector<uint32_t>(3, 100));
  EXPECT_EQ(hour, 0xAA) << "a failed exchange leaves destinations alone";

  sim.hangLastError = 1460;
  EXPECT_EQ(ReadHour(hour), LinkResult::SendFailed);
}

TEST_F(LinkRetryTest, AnswerToTheLastRepeatSucceeds) {
  retries = 3;
  sim.hangSends = 3;
  EXPECT_EQ(ReadHour(hour), LinkResult::Ok);
  EXPECT_EQ(SendsNow(), 4);
  EXPECT_NE(hour, 0xAA);
}

TEST_F(LinkRetryTest, NoRepeatsAtZeroOrBelow) {
  for (const int32_t noRepeats : {0, -5}) {
    retries = noRepeats;
    sim.hangSends = 1;
    const int before = sim.Sends();
    EXPECT_NE(ReadHour(hour), LinkResult::Ok);
    EXPECT_EQ(sim.Sends() - before, 1) << noRepeats;
  }
}

TEST_F(LinkRetryTest, RetryCountIsReadAfreshBeforeEachRepeat) {
  retries = 40;
  sim.standIn.faults.hang = true;
  sim.beforeSend = [this](int n) {
    if (n == sends + 1) retries = 2;  // lowered during the first repeat
  };
  EXPECT_NE(ReadHour(hour), LinkResult::Ok);
  EXPECT_EQ(SendsNow(), 3);
}

TEST_F(LinkRetryTest, RejectedOrSpoiledAnswerCopiesNothing) {
  sim.standIn.faults.reject = true;
  EXPECT_EQ(ReadHour(hour), LinkResult::Rejected);
  sim.standIn.faults.reject = false;

  for (const Garbage g :
       {Garbage::Type, Garbage::Size, Garbage::Token, Garbage::Offset, Garbage::End}) {
    SCOPED_TRACE(static_cast<int>(g));
    sim.standIn.faults.garbage = g;
    uint16_t year = 0xBBBB;
    const LinkRequest reads[] = {LinkRequest::Read(0x0238, 1, &hour),
                                 LinkRequest::Read(0x0240, 2, &year)};
    EXPECT_EQ(link.Exchange(reads), LinkResult::SpoiledAnswer);
    EXPECT_EQ(hour, 0xAA);
    EXPECT_EQ(year, 0xBBBB);
  }
}

// What an open link holds goes back with it: at Close, or when a failed
// open gives up, and a new open can then take the block's name again.
TEST_F(LinkTest, CloseReleasesEverythingAndANewOpenTakesTheNameAgain) {
  link.Close();
  ExpectNothingHeld();
  Open();
  link.Close();
  ExpectNothingHeld();
  link.Close();
  EXPECT_EQ(link.InterfaceVersion(), 0x19980005u) << "versions outlive the connection";
  Open();
  link.Close();
  Open();
  EXPECT_EQ(sim.LiveAtoms(), 1u);
  EXPECT_EQ(sim.LiveViews(), 1u);
}

}  // namespace
}  // namespace horavia
