#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "base/clock_parts.h"
#include "ports/regional.h"
#include "timekeeping/timekeeper.h"
#include "windows/main_controls.h"

namespace horavia {

// How the clocks are shown: the user's three display toggles.
struct DisplayToggles {
  bool show24Hour = false;
  bool showZulu = false;         // the sim clock shows Zulu time
  bool showChronometers = false; // the sim clock's date line shows the chronometers
};

// Sets one image button's enabled state and its grey, red or green face: a
// disabled button shows grey, an enabled one red, and one that is on green.
void SetButtonFace(MainControls& controls, MainButton button, bool enabled, bool on);

// The internal clock's frame: the hour and minute, the AM and PM lamps and
// the long date.
void ShowInternalClock(MainControls& controls, const ClockParts& internal, bool show24Hour,
                       Regional& regional);

// The sim clock's frame for a time the caller chose (local, or Zulu with the
// Zulu toggle on) with its date: the lamps lit in the timekeeper's colours,
// the hour and minute, and the date or the chronometer line. Gives back the
// sim clock text that the status line quotes ("2:05(PM), 12/5/2026").
std::string ShowSimClock(MainControls& controls, int32_t hour, int32_t minute,
                         const std::chrono::year_month_day& date, const DisplayToggles& toggles,
                         bool on, const Chronometers& counted, Regional& regional);

// While ON, the sim clock's tool tip tells that a simulator running faster
// or slower than real time is left alone ("The simulator runs at 4x: ...");
// none while OFF or in real time.
void ShowSimulationRate(MainControls& controls, bool on, const SimClockReading& reading,
                        Regional& regional);

// The sim clock in the colours of the timekeeper's state: bright and dark
// green while ON, yellow and olive while OFF; a lamp keeps lit or unlit.
void SetSimClockScheme(MainControls& controls, bool on);

// "?? : ??" and "FSUIPC - Not connected", every lamp olive.
void ShowNotConnected(MainControls& controls);

}  // namespace horavia
