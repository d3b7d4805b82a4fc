#pragma once

#include <string>
#include <vector>

#include "chronolog/log_format.h"
#include "ports/platform.h"

namespace horavia {

// Appends the entries to the log, oldest first, in one write, with the
// header first when there is no file yet. False when the file cannot be
// written; nothing is written then and the file stays as it was.
bool AppendLogEntries(const std::vector<LogEntry>& entries, Platform& os);

// The entries for a message box: "the flight of <long date> <time> (Flight
// hh:mm:ss, Ground hh:mm:ss, Total hh:mm:ss)", or "N flights, " and a list
// of them separated by "; ".
std::string DescribeEntries(const std::vector<LogEntry>& entries, Regional& regional);

}  // namespace horavia
