#include "win32/support/standin_process.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#ifndef HORAVIA_SIMSTANDIN_RELATIVE
#error "the build sets HORAVIA_SIMSTANDIN_RELATIVE"
#endif

namespace horavia::testsupport {

std::string StandInProcess::ExePath() {
  if (const char* path = std::getenv("HORAVIA_SIMSTANDIN"); path != nullptr && *path != 0) {
    return path;
  }
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string dir(self);
  dir.erase(dir.find_last_of("\\/") + 1);
  std::string relative = HORAVIA_SIMSTANDIN_RELATIVE;
  std::replace(relative.begin(), relative.end(), '/', '\\');
  return dir + relative;
}

namespace {

// A pipe whose one end the child inherits; false when none could be made.
bool MakePipe(win32::ScopedHandle& readEnd, win32::ScopedHandle& writeEnd) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr;
  HANDLE write = nullptr;
  if (!::CreatePipe(&read, &write, &inherit, 0)) return false;
  readEnd.Reset(read);
  writeEnd.Reset(write);
  return true;
}

}  // namespace

bool StandInProcess::Start(const Options& options, std::string& why) {
  win32::ScopedHandle childInput;
  win32::ScopedHandle childOutput;
  if (!MakePipe(childInput, input_)) {
    why = "no input pipe";
    return false;
  }
  ::SetHandleInformation(input_.Get(), HANDLE_FLAG_INHERIT, 0);
  if (options.keepJournal) {
    if (!MakePipe(output_, childOutput)) {
      why = "no output pipe";
      return false;
    }
    ::SetHandleInformation(output_.Get(), HANDLE_FLAG_INHERIT, 0);
  } else {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    childOutput.Reset(
        ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
  }

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = childInput.Get();
  startup.hStdOutput = childOutput.Get();
  startup.hStdError = childOutput.Get();
  std::string commandLine = "\"" + ExePath() + "\" --class " + options.className;
  if (!options.keepJournal) commandLine += " --quiet";
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &started)) {
    why = "cannot start " + commandLine;
    return false;
  }
  process_.Reset(started.hProcess);
  const win32::ScopedHandle thread(started.hThread);
  // The child's ends are its own now: its pipe breaks when it ends.
  childInput.Reset();
  childOutput.Reset();
  return WaitUntilReady(options, why);
}

bool StandInProcess::WaitUntilReady(const Options& options, std::string& why) {
  if (!options.keepJournal) {
    // Without a journal, its window appearing is the sign it is ready.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (::FindWindowExA(nullptr, nullptr, options.className, nullptr) == nullptr) {
      if (std::chrono::steady_clock::now() > deadline) {
        why = "no stand-in window";
        return false;
      }
      ::WaitForSingleObject(process_.Get(), 20);
    }
    return true;
  }
  reader_ = std::thread([this] { ReadJournal(); });
  if (WaitForLine(std::string("ready ") + options.className, 30000) < 0) {
    why = "the stand-in did not report ready";
    return false;
  }
  return true;
}

void StandInProcess::Stop() {
  if (process_.Valid()) {
    ::TerminateProcess(process_.Get(), 0);
    ::WaitForSingleObject(process_.Get(), 10000);
    process_.Reset();
  }
  input_.Reset();
  if (reader_.joinable()) reader_.join();  // its pipe broke with the process
  output_.Reset();
}

bool StandInProcess::Command(const std::string& line) {
  const std::string text = line + "\n";
  DWORD written = 0;
  return ::WriteFile(input_.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

bool StandInProcess::Apply(const std::string& line, DWORD timeoutMs) {
  const size_t from = Lines().size();
  return Command(line) && WaitForLine("cmd " + line, timeoutMs, from) >= 0;
}

int StandInProcess::WaitForLine(const std::string& prefix, DWORD timeoutMs, size_t from) {
  std::unique_lock lock(mutex_);
  int found = -1;
  changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
    for (size_t i = from; i < lines_.size(); ++i) {
      if (lines_[i].rfind(prefix, 0) == 0) {
        found = static_cast<int>(i);
        return true;
      }
    }
    return false;
  });
  return found;
}

std::vector<std::string> StandInProcess::Lines() {
  std::lock_guard lock(mutex_);
  return lines_;
}

void StandInProcess::ReadJournal() {
  std::string pending;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(output_.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
    pending.append(buffer, got);
    std::lock_guard lock(mutex_);
    for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
      std::string line = pending.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines_.push_back(std::move(line));
      pending.erase(0, end + 1);
    }
    changed_.notify_all();
  }
}

}  // namespace horavia::testsupport
