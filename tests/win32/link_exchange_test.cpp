#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "link/link.h"
#include "standin_process.h"
#include "win32/ports/win32_link_ipc.h"
#include "win32/support/scoped_win.h"

namespace horavia {
namespace {

using win32::ScopedHandle;

// Horavia's link against simstandin.exe in its own process: the real window
// message, atom, named mapping and timed send. What the link makes of the
// answers is pinned by the unit tests against the same stand-in in process.
class LinkExchangeTest : public ::testing::Test {
 public:
  void SetUp() override { ASSERT_TRUE(standIn.Start()); }
  bool NothingLeft() const {
    const std::string name = Link::BlockName(::GetCurrentProcessId());
    const ScopedHandle mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    return !mapping.Valid() && ::GlobalFindAtomA(name.c_str()) == 0;
  }

  win32::StandInProcess standIn;
  win32::Win32LinkIpc ipc;
  int32_t retries = 40;
  Link link{ipc, retries};
};

TEST_F(LinkExchangeTest, OpenReadWriteTheWholeBlockAndCloseAcrossProcesses) {
  ASSERT_TRUE(standIn.Apply("set zone -300"));
  ASSERT_EQ(link.Open(0), LinkResult::Ok);

  std::array<uint8_t, 5> t{};
  uint16_t year = 0;
  const LinkRequest reads[] = {
      LinkRequest::Read(0x0238, 1, &t[0]), LinkRequest::Read(0x0239, 1, &t[1]),
      LinkRequest::Read(0x023A, 1, &t[2]), LinkRequest::Read(0x023B, 1, &t[3]),
      LinkRequest::Read(0x023C, 1, &t[4]), LinkRequest::Read(0x0240, 2, &year)};
  ASSERT_EQ(link.Exchange(reads), LinkResult::Ok);
  EXPECT_EQ((t[3] + 24 - t[0]) % 24, 5) << "Zulu is local plus five hours";
  EXPECT_GE(year, 2024);

  const char text[128] = " HVA: OFF";
  const uint16_t seconds = 5;
  const LinkRequest writes[] = {LinkRequest::Write(0x3380, 128, text),
                                LinkRequest::Write(0x32FA, 2, &seconds)};
  ASSERT_EQ(link.Exchange(writes), LinkResult::Ok);
  EXPECT_TRUE(standIn.WaitForLine("show 5  HVA: OFF"));

  // The largest read the block holds crosses whole.
  std::vector<uint8_t> data(32512 - 4 - 16, 0);
  const LinkRequest whole[] = {LinkRequest::Read(0x3300, 32492, data.data())};
  ASSERT_EQ(link.Exchange(whole), LinkResult::Ok);
  EXPECT_EQ(data[4], 0x05) << "the interface version's first byte at 0x3304";

  EXPECT_FALSE(NothingLeft());
  link.Close();
  EXPECT_TRUE(NothingLeft());
}

// A block name that another program holds already is Windows' answer
// through GetLastError, which only the real port reads.
TEST_F(LinkExchangeTest, TakenBlockNameFailsAndLeavesNothingBehind) {
  ScopedHandle squatter(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                              4096, Link::BlockName(::GetCurrentProcessId()).c_str()));
  ASSERT_TRUE(squatter.Valid());
  EXPECT_EQ(link.Open(0), LinkResult::NoMapping);
  EXPECT_EQ(link.LastFailure(), (LinkFailure{LinkResult::NoMapping, LinkFailure::kAlreadyExists, true}));
  squatter.Reset();
  EXPECT_TRUE(NothingLeft());
}

// Each send waits 2 s for the hung window, with 100 ms between sends: four
// sends take 8.3 s, and the last fails with ERROR_TIMEOUT, not 0. Sends
// that timed out may still be handled late; the exchange after them gets
// its own answer.
TEST_F(LinkExchangeTest, HangingSimulatorIsGivenUpAfterTheRepeatsAndAnsweredAfterwards) {
  ASSERT_EQ(link.Open(0), LinkResult::Ok);
  ASSERT_TRUE(standIn.Apply("hang"));
  retries = 3;
  uint8_t hour = 0xAA;
  const LinkRequest read[] = {LinkRequest::Read(0x0238, 1, &hour)};
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_EQ(link.Exchange(read), LinkResult::SendFailed);
  const ULONGLONG tookMs = ::GetTickCount64() - start;
  EXPECT_EQ(link.LastFailure(), (LinkFailure{LinkResult::SendFailed, LinkFailure::kTimedOut, false}));
  EXPECT_GE(tookMs, 4 * 1900u + 3 * 95u);
  EXPECT_LE(tookMs, 4 * 2200u + 3 * 400u);
  EXPECT_EQ(hour, 0xAA);

  ASSERT_TRUE(standIn.Apply("answer"));
  ASSERT_TRUE(standIn.Apply("set time 21:00:00"));
  EXPECT_EQ(link.Exchange(read), LinkResult::Ok);
  EXPECT_EQ(hour, 21);
}

}  // namespace
}  // namespace horavia
