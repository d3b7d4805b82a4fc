// The price of the link's bookkeeping (queuing, the token table, the checked
// walk) over the bare protocol: the sync cycle's seven-value read through
// the link against one hand-filled block sent with SendMessageTimeoutA to
// the same stand-in window. Both run interleaved in one process so that
// Wine's and the machine's moods hit both alike.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "link/link.h"
#include "link/request_block.h"
#include "standin_process.h"
#include "win32/ports/win32_link_ipc.h"
#include "win32/support/scoped_win.h"

namespace horavia::win32 {
namespace {

namespace rb = request_block;

constexpr int kWarmUp = 200;
constexpr int kRounds = 2000;

// The protocol with nothing around it: a block of our own under a second
// name, its request written once and copied in before each send, the
// answers copied to the reads' destinations.
class BareExchange {
 public:
  BareExchange(HWND window, std::span<const LinkRequest> reads)
      : window_(window),
        message_(::RegisterWindowMessageA("FSASMLIB:IPC")),
        name_("FSASMLIB:IPC:" + std::to_string(::GetCurrentProcessId()) + ":2"),
        atom_(::GlobalAddAtomA(name_.c_str())),
        mapping_(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      rb::kBlockSize, name_.c_str())),
        view_(::MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, 0)),
        reads_(reads) {
    for (const LinkRequest& r : reads) {
      rb::EncodeRead(request_ + length_, r.offset, r.size, 0);
      length_ += rb::kReadHeaderSize + r.size;
    }
    rb::EncodeEnd(request_ + length_);
    length_ += rb::kEndMarkerSize;
  }
  bool Ready() const { return atom_.Get() != 0 && view_.Get() != nullptr; }
  bool Run() {
    auto* view = static_cast<uint8_t*>(view_.Get());
    std::memcpy(view, request_, length_);
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutA(window_, message_, atom_.Get(), 0, SMTO_BLOCK, 2000, &answer) == 0 ||
        answer != 1) {
      return false;
    }
    for (uint32_t at = 0; const LinkRequest& r : reads_) {
      std::memcpy(r.into, view + at + rb::kReadHeaderSize, r.size);
      at += rb::kReadHeaderSize + r.size;
    }
    return true;
  }

 private:
  HWND window_;
  UINT message_;
  std::string name_;
  ScopedAtom atom_;
  ScopedHandle mapping_;
  ScopedView view_;
  std::span<const LinkRequest> reads_;
  uint8_t request_[256] = {};
  uint32_t length_ = 0;
};

int Run() {
  StandInProcess standIn;
  Win32LinkIpc ipc;
  const int32_t retries = 40;
  Link link(ipc, retries);
  if (!standIn.Start(" --quiet") || link.Open(0) != LinkResult::Ok) {
    return std::printf("no stand-in to exchange with\n"), 1;
  }
  // The sync cycle's reads: local and Zulu time, day and year.
  uint8_t time[5] = {};
  uint16_t dayAndYear[2] = {};
  const LinkRequest reads[] = {
      LinkRequest::Read(0x0238, 1, &time[0]),      LinkRequest::Read(0x0239, 1, &time[1]),
      LinkRequest::Read(0x023A, 1, &time[2]),      LinkRequest::Read(0x023B, 1, &time[3]),
      LinkRequest::Read(0x023C, 1, &time[4]),      LinkRequest::Read(0x023E, 2, &dayAndYear[0]),
      LinkRequest::Read(0x0240, 2, &dayAndYear[1])};
  BareExchange bare(::FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr), reads);
  if (!bare.Ready()) return std::printf("cannot set up the bare exchange\n"), 1;
  std::vector<double> linkTimes;
  std::vector<double> bareTimes;
  for (int round = -kWarmUp; round < kRounds; ++round) {
    const double t0 = bench::NowUs();
    if (link.Exchange(reads) != LinkResult::Ok) return std::printf("link failed\n"), 1;
    const double t1 = bench::NowUs();
    if (!bare.Run()) return std::printf("bare exchange failed\n"), 1;
    const double t2 = bench::NowUs();
    if (round >= 0) {
      linkTimes.push_back(t1 - t0);
      bareTimes.push_back(t2 - t1);
    }
  }
  link.Close();

  const double ratio = bench::Quantile(linkTimes, 0.5) / bench::Quantile(bareTimes, 0.5);
  std::printf("sync read of 7 values, %d rounds each, under the stand-in\n", kRounds);
  for (const auto& [how, times] : {std::pair{"through the link:        ", &linkTimes},
                                   std::pair{"bare SendMessageTimeoutA:", &bareTimes}}) {
    std::printf("  %s     median %8.1f us  (10%% %.1f, 90%% %.1f)\n", how,
                bench::Quantile(*times, 0.5), bench::Quantile(*times, 0.1),
                bench::Quantile(*times, 0.9));
  }
  std::printf("  ratio link / bare:            %8.3f (target at most 1.15: %s)\n", ratio,
              ratio <= 1.15 ? "met" : "NOT met");
  return 0;
}

}  // namespace
}  // namespace horavia::win32

int main() { return horavia::win32::Run(); }
