#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "link/link.h"
#include "win32/ports/win32_link_ipc.h"
#include "win32/support/scoped_win.h"

#ifndef HORAVIA_SIMSTANDIN_RELATIVE
#error "the build sets HORAVIA_SIMSTANDIN_RELATIVE"
#endif

namespace horavia {
namespace {

using win32::ScopedHandle;

// simstandin.exe in a process of its own, found from this program's place
// in the build tree: commands go to its standard input, its journal comes
// back through a pipe wide enough that it never waits for the reader.
class StandInProcess {
 public:
  bool Start() {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE ends[4] = {};
    ::CreatePipe(&ends[0], &ends[1], &inherit, 0);
    ::CreatePipe(&ends[2], &ends[3], &inherit, 1 << 20);
    const ScopedHandle childInput(ends[0]);
    const ScopedHandle childOutput(ends[3]);
    input_.Reset(ends[1]);
    output_.Reset(ends[2]);
    ::SetHandleInformation(input_.Get(), HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(output_.Get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput.Get();
    startup.hStdOutput = startup.hStdError = childOutput.Get();
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine =
        std::string(self, std::strrchr(self, '\\') + 1) + HORAVIA_SIMSTANDIN_RELATIVE;
    std::replace(commandLine.begin(), commandLine.end(), '/', '\\');
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &started)) {
      return false;
    }
    process_.Reset(started.hProcess);
    const ScopedHandle thread(started.hThread);
    return WaitForLine("ready FS98MAIN");
  }
  ~StandInProcess() {
    if (!process_.Valid()) return;
    ::TerminateProcess(process_.Get(), 0);
    ::WaitForSingleObject(process_.Get(), 10000);  // its window gone before the next
  }

  // Sends a command line and waits until the stand-in has applied it.
  bool Apply(const std::string& command) {
    const std::string text = command + "\n";
    DWORD written = 0;
    return ::WriteFile(input_.Get(), text.data(), static_cast<DWORD>(text.size()), &written,
                       nullptr) &&
           WaitForLine("cmd " + command);
  }
  // Whether a line of its journal starts with `prefix`, waiting up to 30 s.
  bool WaitForLine(const std::string& prefix) {
    const ULONGLONG deadline = ::GetTickCount64() + 30000;
    char buffer[4096];
    DWORD got = 0;
    while (journal_.find("\n" + prefix) == std::string::npos) {
      DWORD available = 0;
      if (::PeekNamedPipe(output_.Get(), nullptr, 0, nullptr, &available, nullptr) &&
          available > 0 && ::ReadFile(output_.Get(), buffer, sizeof buffer, &got, nullptr)) {
        journal_.append(buffer, got);
      } else if (::GetTickCount64() > deadline) {
        return false;
      } else {
        ::WaitForSingleObject(process_.Get(), 5);
      }
    }
    return true;
  }

 private:
  ScopedHandle process_;
  ScopedHandle input_;          // our end of its standard input
  ScopedHandle output_;         // our end of its standard output
  std::string journal_ = "\n";  // each line after a line end
};

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

  StandInProcess standIn;
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

  std::array<char, 128> text{};
  std::strcpy(text.data(), " HVA: OFF");
  const uint16_t seconds = 5;
  const LinkRequest writes[] = {LinkRequest::Write(0x3380, 128, text.data()),
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
