#pragma once

// The clock and the statistics the benchmarks share.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace horavia::bench {

// Microseconds on the performance counter.
inline double NowUs() {
  LARGE_INTEGER now, frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The value below which `share` of the samples lie.
inline double Quantile(std::vector<double> v, double share) {
  std::sort(v.begin(), v.end());
  return v[static_cast<size_t>(share * static_cast<double>(v.size() - 1))];
}

}  // namespace horavia::bench
