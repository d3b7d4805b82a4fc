// Opening a 100 000-entry log in the ChronoLog window's model and writing it
// back, against the bare file work it cannot avoid: reading the whole file
// and replacing it through the same port. Both run in turn in one process,
// on the real Win32 file system; the peak memory of the model's round is
// taken against the file's size.
#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "chronolog/log_format.h"
#include "win32/ports/win32_platform.h"
#include "win32/support/wide_text.h"
#include "windows/log_window_model.h"

namespace {

using namespace horavia;

constexpr int kEntries = 100000;
constexpr int kRounds = 5;

// How many milliseconds `work` takes.
template <typename Work>
double MsTaken(Work&& work) {
  const double start = bench::NowUs();
  work();
  return (bench::NowUs() - start) / 1000;
}

double Median(const std::vector<double>& samples) { return bench::Quantile(samples, 0.5); }

// The working set: Wine keeps no true peak of the private bytes, but it does
// of the working set.
SIZE_T WorkingSet(bool peak) {
  PROCESS_MEMORY_COUNTERS counters{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
}

// Writes the log in slices, so that making it leaves no high-water mark in
// the process's memory for the model's round to hide under.
size_t MakeLog(win32::Win32Regional& regional, Files& files, const std::string& path) {
  size_t bytes = 0;
  std::string slice = regional.ToAnsi(LogHeaderLine() + "\r\n").value();
  for (int i = 0; i < kEntries; ++i) {
    const ClockParts stamp{i % 24, i % 60, (i * 7) % 60, 1 + i % 12, 1 + i % 28, 2000 + i % 27};
    std::string line = LogEntryLine(stamp, i % 5000, (i * 3) % 2000, regional);
    if (i % 3 == 0) line += "a note of the flight";
    slice += regional.ToAnsi(line + "\r\n").value();
    if (slice.size() > 65536 || i + 1 == kEntries) {
      files.Append(path, slice);
      bytes += slice.size();
      slice.clear();
    }
  }
  return bytes;
}

// The model's open and write-back against the bare read and replace, each
// round on the same file; the working set's growth over the first round.
struct Rounds {
  std::vector<double> open, writeBack, read, replace;
  SIZE_T peakGrowth = 0;
};

Rounds Measure(Platform& os, Files& files, const std::string& path) {
  Rounds r;
  for (int round = 0; round < kRounds; ++round) {
    const SIZE_T before = WorkingSet(false);
    {
      LogWindowModel window(os);
      r.open.push_back(MsTaken([&] { window.Open(); }));
      // A changed note, so that the copy is really written back.
      window.EditNote("bench round " + std::to_string(round));
      r.writeBack.push_back(MsTaken([&] { window.Close(); }));
    }
    if (round == 0) r.peakGrowth = WorkingSet(true) - before;
    std::optional<std::string> whole;
    r.read.push_back(MsTaken([&] { whole = files.ReadAll(path); }));
    r.replace.push_back(MsTaken([&] { files.ReplaceAll(path, *whole); }));
  }
  return r;
}

}  // namespace

int main() {
  wchar_t tempRoot[MAX_PATH];
  ::GetTempPathW(MAX_PATH, tempRoot);
  const std::wstring folder =
      std::wstring(tempRoot) + L"horavia-bench-" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(folder.c_str(), nullptr);
  win32::Win32Platform os(win32::Narrow(folder));
  const std::string path = os.platform.programFolder + kLogFileName;
  os.files.Remove(path);
  const size_t fileBytes = MakeLog(os.regional, os.files, path);
  const Rounds r = Measure(os.platform, os.files, path);
  os.files.Remove(path);
  ::RemoveDirectoryW(folder.c_str());

  const double growth = static_cast<double>(r.peakGrowth) / static_cast<double>(fileBytes);
  std::printf("ChronoLog of %d entries, %zu bytes, %d rounds (medians)\n", kEntries, fileBytes,
              kRounds);
  std::printf("  open:       model %8.1f ms   bare read    %8.1f ms   ratio %.2f\n", Median(r.open),
              Median(r.read), Median(r.open) / Median(r.read));
  std::printf("  write-back: model %8.1f ms   bare replace %8.1f ms   ratio %.2f\n",
              Median(r.writeBack), Median(r.replace), Median(r.writeBack) / Median(r.replace));
  std::printf("  peak memory growth of the model's first round: %.1f MB, %.2f times the file\n",
              static_cast<double>(r.peakGrowth) / 1e6, growth);
  const bool met = Median(r.open) < 300 && Median(r.writeBack) < 300 && growth < 3;
  std::printf("  targets (open and write-back under 300 ms, memory under 3x): %s\n",
              met ? "met" : "NOT met");
  return 0;
}
