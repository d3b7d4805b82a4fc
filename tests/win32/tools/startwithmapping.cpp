// startwithmapping.exe PROGRAM: starts PROGRAM with the name of its
// simulator link's shared block already taken, as a stale or hostile
// process could have it.
//
// The block's name holds the client's process id ("FSASMLIB:IPC:" + the id
// in upper-case hexadecimal + ":1"), so the program is created suspended,
// the mapping of that name (32768 bytes of paging file) is made, and only
// then does the program run. The tool prints "mapped <name>", holds the
// mapping until a line "release" or the end of standard input, prints
// "released", and then waits for the program: it ends when the program ends,
// printing "exited <code>", with the program's exit code.
//
// Exit code 1 and a line "error ..." when the program cannot be started or
// the mapping cannot be made (the program is then ended), 2 on misuse.
#include <windows.h>

#include <cstdio>
#include <string>

#include "win32/support/scoped_win.h"

namespace {

void Say(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Sets the event on a line "release" or at the end of input.
DWORD WINAPI WaitForRelease(void* param) {
  auto* const released = static_cast<HANDLE>(param);
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  std::string line;
  DWORD got = 0;
  char byte = 0;
  while (::ReadFile(input, &byte, 1, &got, nullptr) && got == 1) {
    if (byte != '\n') {
      if (line.size() < 256) line += byte;
      continue;
    }
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (line == "release") break;
    line.clear();
  }
  ::SetEvent(released);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using horavia::win32::ScopedHandle;
  if (argc != 2) return 2;
  std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &started)) {
    Say("error start " + std::to_string(::GetLastError()));
    return 1;
  }
  const ScopedHandle process(started.hProcess);
  const ScopedHandle thread(started.hThread);

  char name[64];
  std::snprintf(name, sizeof name, "FSASMLIB:IPC:%lX:1",
                static_cast<unsigned long>(started.dwProcessId));
  ScopedHandle mapping(
      ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 32768, name));
  if (!mapping.Valid()) {
    Say("error mapping " + std::to_string(::GetLastError()));
    ::TerminateProcess(process.Get(), 1);
    return 1;
  }
  Say(std::string("mapped ") + name);

  const ScopedHandle released(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  const ScopedHandle reader(
      ::CreateThread(nullptr, 0, WaitForRelease, released.Get(), 0, nullptr));
  ::ResumeThread(thread.Get());

  const HANDLE both[2] = {released.Get(), process.Get()};
  const bool releasedFirst = ::WaitForMultipleObjects(2, both, FALSE, INFINITE) == WAIT_OBJECT_0;
  mapping.Reset();
  if (releasedFirst) {
    Say("released");
    ::WaitForSingleObject(process.Get(), INFINITE);
  }
  DWORD code = 1;
  ::GetExitCodeProcess(process.Get(), &code);
  Say("exited " + std::to_string(code));
  return static_cast<int>(code);
}
