#include "chronolog/log_columns.h"

#include <charconv>
#include <limits>

namespace horavia {

LogColumns::LogColumns(std::string_view line) : line_(line) {
  for (size_t i = line.find('\t'); i != std::string_view::npos; i = line.find('\t', i + 1)) {
    if (tabs_ < kColumns) tabAt_[static_cast<size_t>(tabs_)] = i;
    lastTabAt_ = i;
    ++tabs_;
  }
}

std::optional<std::string_view> LogColumns::Column(int k) const {
  if (k < 1 || k >= kColumns || k > tabs_) return std::nullopt;
  const size_t end = tabAt_[static_cast<size_t>(k - 1)];
  const size_t begin = k == 1 ? 0 : tabAt_[static_cast<size_t>(k - 2)] + 1;
  return line_.substr(begin, end - begin);
}

size_t LogColumns::AfterLastTabAt() const { return tabs_ == 0 ? 0 : lastTabAt_ + 1; }

std::string_view LogColumns::AfterLastTab() const { return line_.substr(AfterLastTabAt()); }

std::optional<std::string_view> LogColumns::Note() const {
  if (tabs_ != kNoteTabs) return std::nullopt;
  return AfterLastTab();
}

int32_t SecondsOf(std::optional<std::string_view> column) {
  if (!column) return 0;
  std::string_view text = *column;
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return 0;
  return value;
}

int32_t ClampSeconds(int64_t seconds) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(seconds > kMax ? kMax : seconds < kMin ? kMin : seconds);
}

}  // namespace horavia
