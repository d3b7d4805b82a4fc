#include "chronolog/chronolog_writer.h"

#include <optional>
#include <string>

#include "chronolog/log_format.h"
#include "settings/settings_store.h"
#include "ui/time_text.h"

namespace horavia {

void ChronoLogWriteEntry(MainState& state, const Settings& settings, Platform& os) {
  if (state.T <= settings.LogSecondMin) return;

  const std::string path = os.programFolder + kLogFileName;
  // The header and the entry go to the file in one write, so that a file is
  // never left holding a header alone; an existing file, empty or not, gets
  // no header.
  std::string text;
  if (!os.files.IsRegularFile(path)) {
    text = LogHeaderLine() + "\r\n";
  } else {
    // A file edited by hand may end without a line end; the entry must
    // still start a line of its own.
    const std::optional<std::string> old = os.files.ReadAll(path);
    if (old && !old->empty() && old->back() != '\n') text = "\r\n";
  }
  text += LogEntryLine(state.pcClock, state.F, state.G, os.regional) + "\r\n";

  if (!os.files.Append(path, os.regional.ToAnsi(text))) {
    os.boxes.Show("Could not write " + path + " file.  This flight is not in the log yet: Flight " +
                      SecondsToText(state.F) + ", Ground " + SecondsToText(state.G) +
                      ", Total " + SecondsToText(state.F + state.G) +
                      ".  Horavia tries again when it closes, unless it is switched ON before.",
                  kProgramTitle, BoxKind::Warning);
    return;
  }
  state.T = 0;
}

}  // namespace horavia
