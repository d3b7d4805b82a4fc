#pragma once

#include "core/main_state.h"
#include "platform/ports/platform.h"
#include "settings/settings.h"

namespace horavia {

// Appends the ON period held in the chronometers to the log when its total
// is greater than the minimum, stamped with the PC time of the last clock
// refresh; then the total starts again from 0. A file that cannot be written
// is reported in a message box and the total is kept, so that the period is
// offered to the log again at the next chance (closing the program).
void ChronoLogWriteEntry(MainState& state, const Settings& settings, Platform& os);

}  // namespace horavia
