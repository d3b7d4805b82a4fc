#include "timekeeping/flight_log.h"

#include <string>

#include "base/program_title.h"
#include "chronolog/log_writer.h"

namespace horavia {

void FlightLog::WritePending(LogFailureNotice notice) {
  const std::string path = os_.programFolder + kLogFileName;
  while (!pending_.empty()) {
    if (AppendLogEntries(pending_, os_)) {
      pending_.clear();
      return;
    }
    const std::string notYet = "Could not write " + path + " file.  Not in the log yet: " +
                               DescribeEntries(pending_, os_.regional) + ".  ";
    const char* const them = pending_.size() == 1 ? "it" : "them";
    switch (notice) {
      case LogFailureNotice::Silent:
        return;
      case LogFailureNotice::Tell:
        os_.boxes.Show(notYet + "Horavia keeps " + them +
                           " and tries again at the next switch OFF and when it closes.",
                       kProgramTitle, BoxKind::Warning);
        return;
      case LogFailureNotice::OfferRetry:
        // Closing would lose them: the user may free the file and try again.
        if (os_.boxes.Show(notYet +
                               "Close the program that holds the file and choose Yes to try "
                               "again, or No to close Horavia without " + them + ".",
                           kProgramTitle, BoxKind::Question) != BoxAnswer::Yes) {
          return;
        }
        break;
    }
  }
}

}  // namespace horavia
