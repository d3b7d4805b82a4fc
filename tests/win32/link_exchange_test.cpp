#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "win32/ports/win32_link_ipc.h"
#include "win32/support/scoped_win.h"
#include "settings/settings.h"
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
  Settings settings;
  Link link{ipc, settings.smTimeoutRetry};
  LinkResult result = LinkResult::NotOpen;
};

TEST_F(LinkExchangeTest, OpenReadWriteAndCloseAcrossProcesses) {
  ASSERT_TRUE(standIn.Apply("set zone -300"));
  ASSERT_TRUE(link.Open(0, result));
  EXPECT_EQ(result, LinkResult::Ok);
  EXPECT_EQ(link.State().interfaceVersion, 0x19980005u);
  EXPECT_EQ(link.State().simulatorVersion, 0x000Cu);
  EXPECT_EQ(ipc.sends.size(), 1u);

  std::array<uint8_t, 5> t{};
  uint16_t day = 0, year = 0;
  for (uint32_t i = 0; i < 5; ++i) ASSERT_TRUE(link.Read(0x0238 + i, 1, &t[i], result));
  ASSERT_TRUE(link.Read(0x023E, 2, &day, result));
  ASSERT_TRUE(link.Read(0x0240, 2, &year, result));
  const size_t from = standIn.Lines().size();
  ASSERT_TRUE(link.Process(result));
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
  ASSERT_TRUE(link.Write(0x3380, 128, text.data(), result));
  ASSERT_TRUE(link.Write(0x32FA, 2, &seconds, result));
  ASSERT_TRUE(link.Process(result));
  EXPECT_GE(standIn.WaitForLine("show 5  HVA: OFF", 5000, from), 0);

  EXPECT_FALSE(NothingLeft());
  link.Close();
  EXPECT_TRUE(NothingLeft());
}

TEST_F(LinkExchangeTest, SecondOpenLeavesTheFirstWorking) {
  ASSERT_TRUE(link.Open(0, result));
  EXPECT_FALSE(link.Open(0, result));
  EXPECT_EQ(result, LinkResult::AlreadyOpen);
  ASSERT_TRUE(standIn.Apply("set time 07:08:09"));
  uint8_t hour = 0xAA;
  ASSERT_TRUE(link.Read(0x0238, 1, &hour, result));
  ASSERT_TRUE(link.Process(result));
  EXPECT_EQ(hour, 7);
}

TEST_F(LinkExchangeTest, PortReleasesWhatAResetLinkForgot) {
  {
    // cppcheck-suppress unassignedVariable ; false alarm: its constructor makes it
    win32::Win32LinkIpc port;
    Link forgetful{port, settings.smTimeoutRetry};
    ASSERT_TRUE(forgetful.Open(0, result));
    forgetful.Reset();
    EXPECT_FALSE(NothingLeft());
  }
  EXPECT_TRUE(NothingLeft());
}

TEST_F(LinkExchangeTest, TakenBlockNameFailsAndLeavesNothingBehind) {
  ScopedHandle squatter(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                              4096, BlockName().c_str()));
  ASSERT_TRUE(squatter.Valid());
  EXPECT_FALSE(link.Open(0, result));
  EXPECT_EQ(result, LinkResult::NoMapping);
  EXPECT_EQ(::GlobalFindAtomA(BlockName().c_str()), 0) << "the atom was given back";
  squatter.Reset();
  EXPECT_TRUE(NothingLeft()) << "and so was our handle to the mapping";
  EXPECT_TRUE(ipc.sends.empty());
}

TEST_F(LinkExchangeTest, BadVersionUnderFs98Main) {
  ASSERT_TRUE(standIn.Apply("badversion"));
  EXPECT_FALSE(link.Open(0, result));
  EXPECT_EQ(result, LinkResult::BadVersionFs98Main);
  EXPECT_TRUE(NothingLeft());
}

TEST_F(LinkExchangeTest, BadVersionUnderUipcMain) {
  standIn.Stop();
  ASSERT_NO_FATAL_FAILURE(StartStandIn("UIPCMAIN"));
  ASSERT_TRUE(standIn.Apply("badversion"));
  EXPECT_FALSE(link.Open(0, result));
  EXPECT_EQ(result, LinkResult::BadVersion);
  EXPECT_TRUE(NothingLeft());
}

TEST_F(LinkExchangeTest, HangingSimulatorGetsFourSendsAHundredMillisecondsApart) {
  ASSERT_TRUE(link.Open(0, result));
  ASSERT_TRUE(standIn.Apply("hang"));
  settings.smTimeoutRetry = 3;
  ipc.sends.clear();
  uint8_t hour = 0xAA;
  ASSERT_TRUE(link.Read(0x0238, 1, &hour, result));
  EXPECT_FALSE(link.Process(result));
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
  settings.smTimeoutRetry = 40;
  ASSERT_TRUE(standIn.Apply("set time 21:00:00"));
  // Sends that timed out may still be handled late; an exchange after them
  // gets its own answer.
  ASSERT_TRUE(link.Read(0x0238, 1, &hour, result));
  EXPECT_TRUE(link.Process(result)) << static_cast<int>(result);
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
  ASSERT_TRUE(link.Open(0, result));
  std::vector<uint8_t> data(32512, 0);
  EXPECT_FALSE(link.Read(0, 32512 - 4 - 16 + 1, data.data(), result));
  EXPECT_EQ(result, LinkResult::BufferFull);
  ASSERT_TRUE(link.Read(0x3300, 32512 - 4 - 16, data.data(), result));
  const size_t from = standIn.Lines().size();
  ASSERT_TRUE(link.Process(result));
  EXPECT_EQ(data[4], 0x05) << "the interface version's first byte at 0x3304";
  EXPECT_GE(standIn.WaitForLine("read 0x3300 32492 ", 5000, from), 0);
}

TEST_F(LinkExchangeTest, EmptyQueueSendsNothing) {
  ASSERT_TRUE(link.Open(0, result));
  ipc.sends.clear();
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(result, LinkResult::NothingQueued);
  EXPECT_TRUE(ipc.sends.empty());
}

TEST_F(LinkExchangeTest, RejectingOrSpoilingSimulatorChangesNoDestination) {
  ASSERT_TRUE(link.Open(0, result));
  uint16_t year = 0xBBBB;
  ASSERT_TRUE(standIn.Apply("reject"));
  ASSERT_TRUE(link.Read(0x0240, 2, &year, result));
  EXPECT_FALSE(link.Process(result));
  EXPECT_EQ(result, LinkResult::Rejected);
  for (const char* mode : {"type", "size", "token", "offset", "end"}) {
    ASSERT_TRUE(standIn.Apply(std::string("normal")));
    ASSERT_TRUE(standIn.Apply(std::string("garbage ") + mode));
    ASSERT_TRUE(link.Read(0x0240, 2, &year, result));
    EXPECT_FALSE(link.Process(result)) << mode;
    EXPECT_EQ(year, 0xBBBB) << mode;
  }
}

}  // namespace
}  // namespace horavia
