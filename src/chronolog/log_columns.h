#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace horavia {

// One log line seen through its TABs, walked once from the left. Column k
// (from 1) is the text before the k-th TAB, so a column counts only when a
// TAB follows it; the note is the text after the ninth TAB of a line that
// has exactly nine. The view borrows the line: keep the line alive.
class LogColumns {
 public:
  static constexpr int kColumns = 10;
  static constexpr int kNoteTabs = 9;

  explicit LogColumns(std::string_view line);

  // Every TAB of the line, not only the first nine.
  int Tabs() const { return tabs_; }
  // Column k (1 to 9) when the line has at least k TABs.
  std::optional<std::string_view> Column(int k) const;
  // What follows the last TAB (the whole line when it has none).
  std::string_view AfterLastTab() const;
  // Where the text after the last TAB begins.
  size_t AfterLastTabAt() const;
  // The note of a line with exactly nine TABs; nothing for other lines.
  std::optional<std::string_view> Note() const;
  // Enough TABs for a line to be listed as an entry: its date and time
  // (columns 1 and 3) and its flight seconds (column 5) are there.
  bool IsEntry() const { return tabs_ >= 5; }

 private:
  std::string_view line_;
  std::array<size_t, kColumns> tabAt_{};  // the first ten TABs
  size_t lastTabAt_ = 0;
  int tabs_ = 0;
};

// A seconds column (5 or 7) as a number: an optional minus sign and decimal
// digits, blanks around them allowed. Anything else, or a number beyond the
// 32-bit range, counts as 0, so that a line an editor has damaged can still
// be shown and does not poison the totals.
int32_t SecondsOf(std::optional<std::string_view> column);

// A sum of seconds kept within what a 32-bit count and the time texts hold.
int32_t ClampSeconds(int64_t seconds);

}  // namespace horavia
