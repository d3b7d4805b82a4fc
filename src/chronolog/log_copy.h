#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace horavia {

// The ChronoLog window's copy of the log file: the file's bytes exactly as
// read (ANSI code page), split into lines, with the lines the window has
// changed and the lines marked for deletion kept beside them. An untouched
// line is written back byte for byte as it was read, whatever its code page.
class LogCopy {
 public:
  // Takes the whole file. Lines end at CR LF or at a bare LF; a last line
  // without a line end still counts, an empty file has no line.
  void Load(std::string bytes);
  // Forgets everything, as after the file was deleted.
  void Clear();

  size_t LineCount() const { return spans_.size(); }
  std::string_view Line(size_t n) const;
  std::string_view LineAsRead(size_t n) const;
  // Giving a line back its text as read forgets the change.
  void SetLine(size_t n, std::string text);

  bool Marked(size_t n) const { return marked_[n]; }
  void SetMarked(size_t n, bool marked);

  // Whether writing the copy back would change the file's lines.
  bool Changed() const { return !edits_.empty() || markedCount_ != 0; }
  // The bytes as read, to tell later whether the file is still the same.
  const std::string& BytesRead() const { return read_; }
  // Every line not marked, each followed by CR LF, then `tail` as it is.
  std::string ToBytes(std::string_view tail = {}) const;

 private:
  struct Span {
    size_t begin;
    size_t size;
  };
  std::string read_;
  std::vector<Span> spans_;
  std::map<size_t, std::string> edits_;
  std::vector<bool> marked_;
  size_t markedCount_ = 0;
};

}  // namespace horavia
