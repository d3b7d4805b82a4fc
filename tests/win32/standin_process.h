#pragma once

// simstandin.exe in a process of its own, for the link's exchange test and
// the link's round-trip bench alike.
#include <windows.h>

#include <algorithm>
#include <string>

#include "win32/support/program_folder.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"

#ifndef HORAVIA_SIMSTANDIN_RELATIVE
#error "the build sets HORAVIA_SIMSTANDIN_RELATIVE"
#endif

namespace horavia::win32 {

// Found from this program's place in the build tree: commands go to its
// standard input, its journal comes back through a pipe wide enough that it
// never waits for the reader. Ended, and its window gone, when this goes.
class StandInProcess {
 public:
  // Whether it started with `options` (" --quiet") and its window answers.
  bool Start(const std::string& options = "") {
    HANDLE ends[4] = {};
    ::CreatePipe(&ends[0], &ends[1], nullptr, 0);
    ::CreatePipe(&ends[2], &ends[3], nullptr, 1 << 20);
    const ScopedHandle childInput(ends[0]);
    const ScopedHandle childOutput(ends[3]);
    input_.Reset(ends[1]);
    output_.Reset(ends[2]);
    // Only the child's ends are inherited.
    ::SetHandleInformation(childInput.Get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    ::SetHandleInformation(childOutput.Get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput.Get();
    startup.hStdOutput = startup.hStdError = childOutput.Get();
    std::wstring commandLine =
        Widen(ProgramFolder() + "\\" + HORAVIA_SIMSTANDIN_RELATIVE + options);
    std::replace(commandLine.begin(), commandLine.end(), L'/', L'\\');
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          nullptr, &startup, &started)) {
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

}  // namespace horavia::win32
