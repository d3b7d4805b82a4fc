// horavia_soak [HOURS [SEED]]: a simulated session of HOURS hours (72) from
// SEED (a new one from the time), printed first so that a failure replays.

#include <charconv>
#include <chrono>
#include <cstdio>
#include <string_view>

#include "soak/soak_run.h"

int main(int argc, char** argv) {
  using namespace std::chrono;
  int hours = 72;
  auto seed = static_cast<unsigned long long>(system_clock::now().time_since_epoch().count());
  bool ok = argc <= 3;
  for (int i = 1; ok && i < argc; ++i) {
    const std::string_view arg = argv[i];
    const auto [end, error] = i == 1 ? std::from_chars(arg.begin(), arg.end(), hours)
                                     : std::from_chars(arg.begin(), arg.end(), seed);
    ok = error == std::errc{} && end == arg.end() && hours > 0;
  }
  if (!ok) {
    std::fprintf(stderr, "usage: %s [HOURS [SEED]]\n", argv[0]);
    return 2;
  }
  std::printf("seed %llu, %d simulated hours\n", seed, hours);
  std::fflush(stdout);
  const auto started = steady_clock::now();
  const horavia::soak::SoakResult r = horavia::soak::RunSoak(seed, hours);
  std::printf("%lld steps in %lld ms: %d ON periods, %d logged (%d ended with the log held), %d disconnects, "
              "%d message boxes, %d corrections heard, %d PC clock steps, %d dates moved, %d times writes ignored, "
              "%d rates other than 1x, "
              "%d clock checks on another date than the PC\n%s seed %llu%s%s\n",
              static_cast<long long>(r.steps),
              static_cast<long long>(duration_cast<milliseconds>(steady_clock::now() - started).count()),
              r.onPeriods, r.loggedEntries, r.heldLogSwitchOffs, r.disconnects, r.boxes, r.corrections,
              r.pcClockSteps, r.dateMoves, r.writesIgnored, r.rateChanges, r.otherDateChecks, r.Passed() ? "PASS" : "FAIL", seed, r.Passed() ? "" : ": ", r.failure.c_str());
  return r.Passed() ? 0 : 1;
}
