#include "chronolog/log_writer.h"

#include <optional>
#include <string>

#include "chronolog/log_format.h"
#include "base/time_text.h"

namespace horavia {
namespace {

// A box lists this many flights at most; the rest are counted.
constexpr size_t kListedEntries = 5;

std::string DescribeEntry(const LogEntry& entry, Regional& regional) {
  const ClockParts& at = entry.stamp;
  return regional.LongDate(at.year, at.month, at.day) + " " + LogTimeText(at, regional) +
         " (Flight " + SecondsToText(entry.flightSeconds) + ", Ground " +
         SecondsToText(entry.groundSeconds) + ", Total " +
         SecondsToText(entry.flightSeconds + entry.groundSeconds) + ")";
}

}  // namespace

bool AppendLogEntries(const std::vector<LogEntry>& entries, Platform& os) {
  if (entries.empty()) return true;
  const std::string path = os.programFolder + kLogFileName;
  // The header and the entries go to the file in one write, so that a file
  // is never left holding a header alone; an existing file, empty or not,
  // gets no header.
  std::string text;
  if (!os.files.IsRegularFile(path)) {
    text = LogHeaderLine() + "\r\n";
  } else {
    // A file edited by hand may end without a line end; the entry must
    // still start a line of its own.
    const std::optional<std::string> old = os.files.ReadAll(path);
    if (old && !old->empty() && old->back() != '\n') text = "\r\n";
  }
  for (const LogEntry& entry : entries) {
    text += LogEntryLine(entry.stamp, entry.flightSeconds, entry.groundSeconds, os.regional);
    text += "\r\n";
  }
  // A text that cannot be put in the code page is a failed write, not an
  // empty one counted as written.
  const std::optional<std::string> bytes = os.regional.ToAnsi(text);
  return bytes && os.files.Append(path, *bytes);
}

std::string DescribeEntries(const std::vector<LogEntry>& entries, Regional& regional) {
  if (entries.size() == 1) return "the flight of " + DescribeEntry(entries.front(), regional);
  std::string text = std::to_string(entries.size()) + " flights, ";
  for (size_t i = 0; i < entries.size() && i < kListedEntries; ++i) {
    if (i > 0) text += "; ";
    text += DescribeEntry(entries[i], regional);
  }
  if (entries.size() > kListedEntries) {
    text += "; and " + std::to_string(entries.size() - kListedEntries) + " more";
  }
  return text;
}

}  // namespace horavia
