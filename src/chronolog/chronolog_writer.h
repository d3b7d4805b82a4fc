#pragma once

#include <string>
#include <vector>

#include "core/main_state.h"
#include "platform/ports/platform.h"

namespace horavia {

// Appends the entries to the log, oldest first, in one write, with the
// header first when there is no file yet. False when the file cannot be
// written; nothing is written then and the file stays as it was.
bool AppendLogEntries(const std::vector<PendingEntry>& entries, Platform& os);

// The entries for a message box: "the flight of <long date> <time> (Flight
// hh:mm:ss, Ground hh:mm:ss, Total hh:mm:ss)", or "N flights, " and a list
// of them separated by "; ".
std::string DescribeEntries(const std::vector<PendingEntry>& entries, Regional& regional);

}  // namespace horavia
