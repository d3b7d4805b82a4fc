#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "timekeeping/timekeeper.h"

namespace horavia {

// What the command line asks of a run. Pilots start Horavia with the
// simulator (from FSUIPC's [Programs] section or the simulator's own list of
// programs) and want it ON without a click.
struct StartOptions {
  // /start or /startloc: switch ON in that mode as soon as the simulator is
  // connected, once in the run.
  std::optional<StartMode> switchOn;
  bool minimized = false;  // /minimized
  // The words that are none of these, as given.
  std::vector<std::string> unknown;
  friend bool operator==(const StartOptions&, const StartOptions&) = default;
};

// Words apart by blanks, quotes taken off; each is an option with '/' or
// '-' before its name, in any case. Of /start and /startloc the last counts.
StartOptions ParseStartOptions(std::string_view commandLine);

// The one box's text for words that are no option: them, and the options
// there are.
std::string UnknownOptionsText(const std::vector<std::string>& unknown);

}  // namespace horavia
