#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "win32/ports/win32_link_ipc.h"
#include "win32/support/scoped_win.h"
#include "link/link.h"
#include "win32/support/counting_ipc.h"
#include "win32/support/standin_process.h"

namespace horavia {
namespace {

using testsupport::CountingIpc;
using testsupport::StandInProcess;
using win32::ScopedHandle;

// Horavia's link against simstandin.exe in its own process: the real
// window message, atom, named mapping and send.
class LinkExchangeTest : public ::testing::Test {
 public:
  void StartStandIn(const char* className = "FS98MAIN") {
    std::string why;
    ASSERT_TRUE(standIn.Start({className, true}, why)) << why;
  }
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartStandIn()); }
  void TearDown() override {
    link.Close();
    standIn.Stop();
  }
  std::string BlockName() const { return Link::BlockName(::GetCurrentProcessId()); }
  bool NothingLeft() const {
    const ScopedHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, BlockName().c_str()));
    return !mapping.Valid() && ::GlobalFindAtomA(BlockName().c_str()) == 0;
  }

  StandInProcess standIn;
  win32::Win32LinkIpc real;
  CountingIpc ipc{real};
  int32_t retries = 40;
  Link link{ipc, retries};
};

TEST_F(LinkExchangeTest, OpenReadWriteAndCloseAcrossProcesses) {
  ASSERT_TRUE(standIn.Apply("set zone -300"));
  ASSERT_EQ(link.Open(0), LinkResult::Ok);
  EXPECT_EQ(link.InterfaceVersion(), 0x19980005u);
  EXPECT_EQ(link.SimulatorVersion(), 0x000Cu);
  EXPECT_EQ(ipc.sends.size(), 1u);

  std::array<uint8_t, 5> t{};
  uint16_t day = 0, year = 0;
  const LinkRequest reads[] = {
      LinkRequest::Read(0x0238, 1, &t[0]), LinkRequest::Read(0x0239, 1, &t[1]),
      LinkRequest::Read(0x023A, 1, &t[2]), LinkRequest::Read(0x023B, 1, &t[3]),
      LinkRequest::Read(0x023C, 1, &t[4]), LinkRequest::Read(0x023E, 2, &day),
      LinkRequest::Read(0x0240, 2, &year)};
  const size_t from = standIn.Lines().size();
  ASSERT_EQ(link.Exchange(reads), LinkResult::Ok);
  EXPECT_EQ((t[3] + 24 - t[0]) % 24, 5) << "Zulu is local plus five hours";
  EXPECT_EQ(t[1], t[4]);
  EXPECT_GE(year, 2024);
  EXPECT_GE(day, 1);
  char first[32];
  std::snprintf(first, sizeof first, "read 0x0238 1 %02x", t[0]);
  EXPECT_EQ(standIn.WaitForLine(first, 5000, from), static_cast<int>(from));

  std::array<char, 128> text{};
  std::strcpy(text.data(), " HVA: OFF");
  const uint16_t seconds = 5;
  const LinkRequest writes[] = {LinkRequest::Write(0x3380, 128, text.data()),
                                LinkRequest::Write(0x32FA, 2, &seconds)};
  ASSERT_EQ(link.Exchange(writes), LinkResult::Ok);
  EXPECT_GE(standIn.WaitForLine("show 5  HVA: OFF", 5000, from), 0);

  EXPECT_FALSE(NothingLeft());
  link.Close();
  EXPECT_TRUE(NothingLeft());
}

TEST_F(LinkExchangeTest, SecondOpenLeavesTheFirstWorking) {
  ASSERT_EQ(link.Open(0), LinkResult::Ok);
  EXPECT_EQ(link.Open(0), LinkResult::AlreadyOpen);
  ASSERT_TRUE(standIn.Apply("set time 07:08:09"));
  uint8_t hour = 0xAA;
  const LinkRequest read[] = {LinkRequest::Read(0x0238, 1, &hour)};
  ASSERT_EQ(link.Exchange(read), LinkResult::Ok);
  EXPECT_EQ(hour, 7);
}

TEST_F(LinkExchangeTest, ALinkThatGoesAwayGivesBackWhatItHeld) {
  {
    Link transient{real, retries};
    ASSERT_EQ(transient.Open(0), LinkResult::Ok);
    EXPECT_FALSE(NothingLeft());
  }
  EXPECT_TRUE(NothingLeft());
}

TEST_F(LinkExchangeTest, TakenBlockNameFailsAndLeavesNothingBehind) {
  ScopedHandle squatter(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                              4096, BlockName().c_str()));
  ASSERT_TRUE(squatter.Valid());
  EXPECT_EQ(link.Open(0), LinkResult::NoMapping);
  EXPECT_EQ(::GlobalFindAtomA(BlockName().c_str()), 0) << "the atom was given back";
  squatter.Reset();
  EXPECT_TRUE(NothingLeft()) << "and so was our handle to the mapping";
  EXPECT_TRUE(ipc.sends.empty());
}

TEST_F(LinkExchangeTest, BadVersionUnderFs98Main) {
  ASSERT_TRUE(standIn.Apply("badversion"));
  EXPECT_EQ(link.Open(0), LinkResult::BadVersionFs98Main);
  EXPECT_TRUE(NothingLeft());
}

TEST_F(LinkExchangeTest, BadVersionUnderUipcMain) {
  standIn.Stop();
  ASSERT_NO_FATAL_FAILURE(StartStandIn("UIPCMAIN"));
  ASSERT_TRUE(standIn.Apply("badversion"));
  EXPECT_EQ(link.Open(0), LinkResult::BadVersion);
  EXPECT_TRUE(NothingLeft());
}

TEST_F(LinkExchangeTest, HangingSimulatorGetsFourSendsAHundredMillisecondsApart) {
  ASSERT_EQ(link.Open(0), LinkResult::Ok);
  ASSERT_TRUE(standIn.Apply("hang"));
  retries = 3;
  ipc.sends.clear();
  uint8_t hour = 0xAA;
  const LinkRequest read[] = {LinkRequest::Read(0x0238, 1, &hour)};
  const LinkResult result = link.Exchange(read);
  EXPECT_TRUE(result == LinkResult::Timeout || result == LinkResult::SendFailed) << static_cast<int>(result);
  std::printf("a hanging stand-in ends the exchange with LinkResult %d\n",
              static_cast<int>(result));
  ASSERT_EQ(ipc.sends.size(), 4u);
  for (size_t i = 0; i < ipc.sends.size(); ++i) {
    EXPECT_GE(ipc.sends[i].endedMs - ipc.sends[i].beganMs, 1900.0) << "send " << i;
    if (i > 0) {
      const double pause = ipc.sends[i].beganMs - ipc.sends[i - 1].endedMs;
      EXPECT_GE(pause, 95.0) << "pause before send " << i;
      EXPECT_LE(pause, 400.0) << "pause before send " << i;
    }
  }
  EXPECT_EQ(hour, 0xAA);

  ASSERT_TRUE(standIn.Apply("answer"));
  retries = 40;
  ASSERT_TRUE(standIn.Apply("set time 21:00:00"));
  // Sends that timed out may still be handled late; an exchange after them
  // gets its own answer.
  EXPECT_EQ(link.Exchange(read), LinkResult::Ok);
  EXPECT_EQ(hour, 21);
}

TEST_F(LinkExchangeTest, SecondStandInStepsAsideForAWindowThatExists) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION second{};
  std::string commandLine = "\"" + StandInProcess::ExePath() + "\" --exit-if-simulator";
  ASSERT_TRUE(::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &second));
  const ScopedHandle process(second.hProcess);
  const ScopedHandle thread(second.hThread);
  EXPECT_EQ(::WaitForSingleObject(process.Get(), 30000), WAIT_OBJECT_0);
  DWORD code = 0;
  ::GetExitCodeProcess(process.Get(), &code);
  EXPECT_EQ(code, 3u);
  if (code == STILL_ACTIVE) ::TerminateProcess(process.Get(), 0);
}

TEST_F(LinkExchangeTest, CapacityEndsAt32512Bytes) {
  ASSERT_EQ(link.Open(0), LinkResult::Ok);
  std::vector<uint8_t> data(32512, 0);
  const LinkRequest tooLong[] = {LinkRequest::Read(0, 32512 - 4 - 16 + 1, data.data())};
  EXPECT_EQ(link.Exchange(tooLong), LinkResult::BufferFull);
  const LinkRequest whole[] = {LinkRequest::Read(0x3300, 32512 - 4 - 16, data.data())};
  const size_t from = standIn.Lines().size();
  ASSERT_EQ(link.Exchange(whole), LinkResult::Ok);
  EXPECT_EQ(data[4], 0x05) << "the interface version's first byte at 0x3304";
  EXPECT_GE(standIn.WaitForLine("read 0x3300 32492 ", 5000, from), 0);
}

TEST_F(LinkExchangeTest, NoRequestSendsNothing) {
  ASSERT_EQ(link.Open(0), LinkResult::Ok);
  ipc.sends.clear();
  EXPECT_EQ(link.Exchange({}), LinkResult::NothingQueued);
  EXPECT_TRUE(ipc.sends.empty());
}

TEST_F(LinkExchangeTest, RejectingOrSpoilingSimulatorChangesNoDestination) {
  ASSERT_EQ(link.Open(0), LinkResult::Ok);
  uint16_t year = 0xBBBB;
  const LinkRequest read[] = {LinkRequest::Read(0x0240, 2, &year)};
  ASSERT_TRUE(standIn.Apply("reject"));
  EXPECT_EQ(link.Exchange(read), LinkResult::Rejected);
  for (const char* mode : {"type", "size", "token", "offset", "end"}) {
    ASSERT_TRUE(standIn.Apply(std::string("normal")));
    ASSERT_TRUE(standIn.Apply(std::string("garbage ") + mode));
    EXPECT_EQ(link.Exchange(read), LinkResult::SpoiledAnswer) << mode;
    EXPECT_EQ(year, 0xBBBB) << mode;
  }
}

}  // namespace
}  // namespace horavia
