// simstandin.exe: plays FSUIPC's part for Horavia when no simulator runs.
//
//   simstandin.exe [--class FS98MAIN | --class UIPCMAIN] [--exit-if-simulator] [--quiet]
//                  [--zero-seconds] [--rate RATE]
//
// It opens a top-level window of the given class (FS98MAIN by default),
// answers the registered message "FSASMLIB:IPC" by serving the client's named
// block, and simulates an aircraft whose clock starts at the PC clock and
// runs on the system's elapsed time, so that stepping the PC clock does not
// move it. With
// --exit-if-simulator it ends at once with exit code 3 when a window of
// either class already exists, so that a real simulator is never shadowed.
// With --quiet it keeps no journal of records and commands (benchmarks).
// With --zero-seconds it takes a written second as 0, as the simulators do
// whose only control of the seconds is "set them to zero". With --rate its
// clock starts at that simulation rate, as the command "rate" below.
//
// Commands, one per line on standard input (end of input leaves it running):
//   set time HH:MM:SS      simulated local time
//   set zone MINUTES       local minus Zulu, -720..840 (served at 0x0246 as
//                          minutes behind Zulu)
//   set date DAY YEAR      Zulu date: day of the year (1 = 1 January) and year
//   drift SECONDS          moves the simulated clock by that many seconds
//   pause on|off           the pause flag (0x0264)
//   seconds zero|keep      a written second is taken as 0, or as written
//   writes ignore|take     writes of the clock are dropped, or taken
//   rate RATE              the simulation rate, served at 0x0C1A: 4x, 1/2x,
//                          or the rate times 256 (1024 = 4x, 256 = real
//                          time); the clock runs at it from where it is.
//                          0: real time, and 0x0C1A left 0 (a simulator
//                          that does not serve it)
//   ground on|off          the on-ground flag (0x0366)
//   hang                   stops answering: each message is held past the
//                          client's time-out until "answer"
//   answer                 ends a hang
//   reject                 answers every message with 0
//   garbage [type|size|token|offset|end|off]
//                          spoils the block after serving it (default size)
//   normal                 ends hang, reject and garbage
//   badversion             interface version 0x19980004, too old
//   version IFACE SIM      both version values, in hex
//   state                  journals the simulated clock
//   quit                   closes the window and ends
//
// The journal, one line per event on standard output, flushed at once:
//   ready FS98MAIN                the window exists and answers
//   read 0x0238 1 0d              a read served: offset, size, bytes given (hex)
//   write 0x3380 128 20 48 ...    a write applied: offset, size, bytes taken
//                                 (at most 256 bytes listed, then "+N")
//   answer 1                      the answer to one message, after its records
//   answer 0 rejected | answer 0 bad record at N | answer 0 unknown atom
//   answer 0 no block NAME | hang | answer 0 after hang
//   garbage size                  the block was spoiled after serving
//   show 5 <text>                 the message text shown for 5 seconds
//   hide                          the text's time is over
//   cmd <line> | error <line>: <why>
//   state local 13:45:21 zulu 18:45 day 339 year 2026 zone -300 paused 0 ground 1 rate 256
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "simstandin/win32/standin_window.h"
#include "win32/support/scoped_win.h"

namespace {

using simstandin::StandInWindow;

constexpr int kExitSimulatorPresent = 3;

std::string Trimmed(std::string line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
    line.pop_back();
  }
  const size_t first = line.find_first_not_of(" \t");
  return first == std::string::npos ? std::string{} : line.substr(first);
}

// Reads standard input on its own thread. Hang and its end take effect here
// at once, since the window thread may be the one that is hanging; every
// line then goes to the window thread in order.
void ReadCommandLines(StandInWindow* window) {
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  std::string pending;
  char buffer[512];
  DWORD got = 0;
  while (::ReadFile(input, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    pending.append(buffer, got);
    for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
      const std::string line = Trimmed(pending.substr(0, end));
      pending.erase(0, end + 1);
      if (line.empty()) continue;
      if (line == "hang") {
        ::ResetEvent(window->hangReleased.Get());
        window->hanging = true;
      } else if (line == "answer" || line == "normal" || line == "quit") {
        window->hanging = false;
        ::SetEvent(window->hangReleased.Get());
      }
      auto copy = std::make_unique<std::string>(line);
      if (::PostMessageA(window->Hwnd(), StandInWindow::kCommandMessage, 0,
                         reinterpret_cast<LPARAM>(copy.get()))) {
        static_cast<void>(copy.release());  // the window thread owns it now
      }
    }
  }
}

DWORD WINAPI ReadCommands(void* param) {
  return horavia::CatchAtBoundary(
      [&] {
        ReadCommandLines(static_cast<StandInWindow*>(param));
        return DWORD{0};
      },
      DWORD{1}, simstandin::JournalFailure);
}

struct Options {
  const char* className = "FS98MAIN";
  bool exitIfSimulator = false;
  bool quiet = false;
  bool zeroSeconds = false;
  std::string rate;  // empty: real time
};

Options ReadOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--class") == 0 && i + 1 < argc) {
      options.className = std::strcmp(argv[++i], "UIPCMAIN") == 0 ? "UIPCMAIN" : "FS98MAIN";
    } else if (std::strcmp(argv[i], "--exit-if-simulator") == 0) {
      options.exitIfSimulator = true;
    } else if (std::strcmp(argv[i], "--quiet") == 0) {
      options.quiet = true;
    } else if (std::strcmp(argv[i], "--zero-seconds") == 0) {
      options.zeroSeconds = true;
    } else if (std::strcmp(argv[i], "--rate") == 0 && i + 1 < argc) {
      options.rate = argv[++i];
    }
  }
  return options;
}

bool SimulatorPresent() {
  return ::FindWindowExA(nullptr, nullptr, "UIPCMAIN", nullptr) != nullptr ||
         ::FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr) != nullptr;
}

int Run(int argc, char** argv) {
  const Options options = ReadOptions(argc, argv);
  if (options.exitIfSimulator && SimulatorPresent()) {
    simstandin::JournalLine("simulator present");
    return kExitSimulatorPresent;
  }

  simstandin::PcClock clock;
  simstandin::StandIn standIn(clock);
  if (!options.quiet) standIn.journal = simstandin::JournalLine;
  standIn.Aircraft().SetZeroesWrittenSeconds(options.zeroSeconds);
  if (!options.rate.empty()) standIn.Apply("rate " + options.rate);
  StandInWindow window(options.className, standIn);
  if (window.Hwnd() == nullptr) {
    simstandin::JournalLine("error no window");
    return 1;
  }
  simstandin::JournalLine(std::string("ready ") + options.className);
  const horavia::win32::ScopedHandle reader(
      ::CreateThread(nullptr, 0, ReadCommands, &window, 0, nullptr));

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return horavia::CatchAtBoundary([&] { return Run(argc, argv); }, 1, simstandin::JournalFailure);
}
