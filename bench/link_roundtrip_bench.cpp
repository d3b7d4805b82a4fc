// The price of the link's bookkeeping (queuing, the token table, the checked
// walk) over the bare protocol: the sync cycle's seven-value read through
// Process against one hand-filled block sent with SendMessageTimeoutA to
// the same stand-in window. Both run interleaved in one process so that
// Wine's and the machine's moods hit both alike.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "win32/ports/win32_link_ipc.h"
#include "link/link.h"
#include "link/request_block.h"
#include "win32/support/scoped_win.h"

namespace {

namespace rb = horavia::request_block;

constexpr int kWarmUp = 200;
constexpr int kRounds = 2000;

struct Field {
  uint32_t offset;
  uint32_t size;
};
constexpr Field kSyncReads[7] = {{0x0238, 1}, {0x0239, 1}, {0x023A, 1}, {0x023B, 1},
                                 {0x023C, 1}, {0x023E, 2}, {0x0240, 2}};

double Ticks() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart);
}

// The value below which `share` of the samples lie.
double Quantile(std::vector<double> v, double share) {
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(share * static_cast<double>(v.size() - 1))];
}

// The protocol with nothing around it: a block of our own under a second name.
class BareExchange {
 public:
  bool Open(HWND window) {
    window_ = window;
    message_ = ::RegisterWindowMessageA("FSASMLIB:IPC");
    char name[40];
    std::snprintf(name, sizeof name, "FSASMLIB:IPC:%lX:2", ::GetCurrentProcessId());
    atom_ = ::GlobalAddAtomA(name);
    mapping_ = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    rb::kBlockSize, name);
    if (mapping_ != nullptr)
      view_ = static_cast<uint8_t*>(::MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0));
    uint32_t at = 0;
    for (const Field& f : kSyncReads) {
      rb::EncodeRead(request_ + at, f.offset, f.size, 0);
      positions_.push_back(at + rb::kReadHeaderSize);
      at += rb::kReadHeaderSize + f.size;
    }
    rb::EncodeEnd(request_ + at);
    length_ = at + rb::kEndMarkerSize;
    return atom_ != 0 && view_ != nullptr;
  }
  ~BareExchange() {
    if (view_ != nullptr) ::UnmapViewOfFile(view_);
    if (mapping_ != nullptr) ::CloseHandle(mapping_);
    if (atom_ != 0) ::GlobalDeleteAtom(atom_);
  }
  bool Run(uint8_t* out) {
    std::memcpy(view_, request_, length_);
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutA(window_, message_, atom_, 0, SMTO_BLOCK, 2000, &answer) == 0 ||
        answer != 1) {
      return false;
    }
    for (size_t i = 0; i < positions_.size(); ++i) {
      std::memcpy(out + 2 * i, view_ + positions_[i], kSyncReads[i].size);
    }
    return true;
  }

 private:
  HWND window_ = nullptr;
  UINT message_ = 0;
  ATOM atom_ = 0;
  HANDLE mapping_ = nullptr;
  uint8_t* view_ = nullptr;
  uint8_t request_[256] = {};
  uint32_t length_ = 0;
  std::vector<uint32_t> positions_;
};

bool LinkCycle(horavia::Link& link, uint8_t* out) {
  horavia::LinkRequest reads[7];
  for (size_t i = 0; i < 7; ++i) {
    reads[i] = horavia::LinkRequest::Read(kSyncReads[i].offset, kSyncReads[i].size, out + 2 * i);
  }
  return link.Exchange(reads) == horavia::LinkResult::Ok;
}

// The stand-in, quiet, from its place in the build tree; ready once its
// window is there.
bool StartStandIn(horavia::win32::ScopedHandle& process) {
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string commandLine = std::string(self, std::strrchr(self, '\\') + 1) +
                            HORAVIA_SIMSTANDIN_RELATIVE + " --quiet";
  std::replace(commandLine.begin(), commandLine.end(), '/', '\\');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
    return false;
  }
  process.Reset(started.hProcess);
  const horavia::win32::ScopedHandle thread(started.hThread);
  for (int wait = 0; wait < 3000; ++wait) {
    if (::FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr) != nullptr) return true;
    ::WaitForSingleObject(process.Get(), 10);
  }
  return false;
}

}  // namespace

int main() {
  horavia::win32::ScopedHandle standIn;
  if (!StartStandIn(standIn)) return std::printf("cannot start the stand-in\n"), 1;
  horavia::win32::Win32LinkIpc ipc;
  const int32_t retries = 40;
  horavia::Link link(ipc, retries);
  if (const horavia::LinkResult result = link.Open(0); result != horavia::LinkResult::Ok) {
    std::printf("Open failed: %d\n", static_cast<int>(result));
    return 1;
  }
  BareExchange bare;
  if (!bare.Open(::FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr))) {
    std::printf("cannot set up the bare exchange\n");
    return 1;
  }

  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  const double toMicroseconds = 1e6 / static_cast<double>(frequency.QuadPart);
  uint8_t values[14] = {};
  std::vector<double> linkTimes, bareTimes;
  linkTimes.reserve(kRounds);
  bareTimes.reserve(kRounds);
  for (int round = -kWarmUp; round < kRounds; ++round) {
    double t0 = Ticks();
    if (!LinkCycle(link, values)) return std::printf("link exchange failed\n"), 1;
    double t1 = Ticks();
    if (!bare.Run(values)) return std::printf("bare exchange failed\n"), 1;
    double t2 = Ticks();
    if (round >= 0) {
      linkTimes.push_back((t1 - t0) * toMicroseconds);
      bareTimes.push_back((t2 - t1) * toMicroseconds);
    }
  }
  link.Close();
  ::TerminateProcess(standIn.Get(), 0);

  const double linkMedian = Quantile(linkTimes, 0.5);
  const double bareMedian = Quantile(bareTimes, 0.5);
  const double ratio = linkMedian / bareMedian;
  std::printf("sync read of 7 values, %d rounds each, under the stand-in\n", kRounds);
  std::printf("  through Process:          median %8.1f us  (10%% %.1f, 90%% %.1f)\n",
              linkMedian, Quantile(linkTimes, 0.1), Quantile(linkTimes, 0.9));
  std::printf("  bare SendMessageTimeoutA:     median %8.1f us  (10%% %.1f, 90%% %.1f)\n",
              bareMedian, Quantile(bareTimes, 0.1), Quantile(bareTimes, 0.9));
  std::printf("  ratio link / bare:            %8.3f (target at most 1.15: %s)\n", ratio,
              ratio <= 1.15 ? "met" : "NOT met");
  return 0;
}
