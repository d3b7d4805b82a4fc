#include "chronolog/log_copy.h"

#include <algorithm>
#include <utility>

namespace horavia {

void LogCopy::Load(std::string bytes) {
  Clear();
  read_ = std::move(bytes);
  // Counted first, so that a long log is not copied while its index grows.
  spans_.reserve(static_cast<size_t>(std::count(read_.begin(), read_.end(), '\n')) + 1);
  size_t begin = 0;
  while (begin < read_.size()) {
    const size_t lf = read_.find('\n', begin);
    const size_t next = lf == std::string::npos ? read_.size() : lf + 1;
    size_t end = lf == std::string::npos ? read_.size() : lf;
    if (end > begin && lf != std::string::npos && read_[end - 1] == '\r') --end;
    spans_.push_back({begin, end - begin});
    begin = next;
  }
  marked_.assign(spans_.size(), false);
}

void LogCopy::Clear() {
  read_ = {};
  spans_ = {};
  edits_.clear();
  marked_ = {};
  markedCount_ = 0;
}

std::string_view LogCopy::LineAsRead(size_t n) const {
  return std::string_view(read_).substr(spans_[n].begin, spans_[n].size);
}

std::string_view LogCopy::Line(size_t n) const {
  const auto edit = edits_.find(n);
  return edit != edits_.end() ? std::string_view(edit->second) : LineAsRead(n);
}

void LogCopy::SetLine(size_t n, std::string text) {
  if (text == LineAsRead(n)) {
    edits_.erase(n);
  } else {
    edits_[n] = std::move(text);
  }
}

void LogCopy::SetMarked(size_t n, bool marked) {
  if (marked_[n] == marked) return;
  marked_[n] = marked;
  if (marked) {
    ++markedCount_;
  } else {
    --markedCount_;
  }
}

std::string LogCopy::ToBytes(std::string_view tail) const {
  std::string out;
  out.reserve(read_.size() + 2 * spans_.size() + tail.size());
  for (size_t n = 0; n < spans_.size(); ++n) {
    if (marked_[n]) continue;
    out += Line(n);
    out += "\r\n";
  }
  out += tail;
  return out;
}

}  // namespace horavia
