#pragma once

#include <vector>

#include "chronolog/log_format.h"
#include "ports/platform.h"

namespace horavia {

// How a log that cannot be written is told.
enum class LogFailureNotice {
  Tell,        // a box says which flights are kept for later (a switch-OFF)
  OfferRetry,  // a box offers another try (the shut-down)
  Silent,      // nothing (Windows ends the session)
};

// The flights waiting for the log. An entry that cannot be written (another
// program holds the file) stays here, with its own stamp, whatever the
// timekeeper does next, and is written before any newer one at the next
// attempt.
class FlightLog {
 public:
  explicit FlightLog(Platform& os) : os_(os) {}

  void Add(const LogEntry& entry) { pending_.push_back(entry); }
  // Writes every pending entry, oldest first, in one append; what cannot be
  // written is kept and told as `notice` says.
  void WritePending(LogFailureNotice notice);
  const std::vector<LogEntry>& Pending() const { return pending_; }

 private:
  Platform& os_;
  std::vector<LogEntry> pending_;
};

}  // namespace horavia
