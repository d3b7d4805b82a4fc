#pragma once

#include <windows.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "win32/support/scoped_win.h"

namespace horavia::testsupport {

// simstandin.exe run as a child process: commands go to its standard input,
// its journal comes back line by line. Ended by its process handle.
class StandInProcess {
 public:
  struct Options {
    const char* className = "FS98MAIN";
    bool keepJournal = true;  // false: it runs --quiet, its output to NUL (benchmarks)
  };

  StandInProcess() = default;
  StandInProcess(const StandInProcess&) = delete;
  StandInProcess& operator=(const StandInProcess&) = delete;
  ~StandInProcess() { Stop(); }

  // Starts it and waits until its window answers; false with a reason.
  bool Start(const Options& options, std::string& why);
  void Stop();
  // Sends one command line.
  bool Command(const std::string& line);
  // Waits for a journal line, from the `from`-th on, that starts with
  // `prefix`; returns its index, or -1 after `timeoutMs`.
  int WaitForLine(const std::string& prefix, DWORD timeoutMs, size_t from = 0);
  // Sends a command and waits until it has been applied.
  bool Apply(const std::string& line, DWORD timeoutMs = 10000);
  std::vector<std::string> Lines();

  // Next to the program that runs: the stand-in's place relative to it in
  // the build tree, or HORAVIA_SIMSTANDIN when that is set.
  static std::string ExePath();

 private:
  bool WaitUntilReady(const Options& options, std::string& why);
  void ReadJournal();

  win32::ScopedHandle process_;
  win32::ScopedHandle input_;   // our end of its standard input
  win32::ScopedHandle output_;  // our end of its standard output
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> lines_;
};

}  // namespace horavia::testsupport
