// What the main window's controls show of the clocks and the buttons.

#include "windows/main_view.h"

#include <algorithm>
#include <limits>

#include "base/time_text.h"

namespace horavia {
namespace {

std::string ClockCaption(int32_t hour, int32_t minute, bool show24Hour) {
  return std::to_string(ShownHour(hour, show24Hour)) + " : " + TwoDigits(minute);
}

int32_t SaturatedSum(int32_t a, int32_t b) {
  return static_cast<int32_t>(
      std::min<int64_t>(int64_t{a} + b, std::numeric_limits<int32_t>::max()));
}

// Moves a lamp between the OFF colours (yellow, olive) and the ON colours
// (bright green, dark green), keeping it lit or unlit.
void Recolor(LabelState& label, bool on) {
  if (on) {
    if (label.color == colors::kYellow) label.color = colors::kBrightGreen;
    if (label.color == colors::kOlive) label.color = colors::kDarkGreen;
  } else {
    if (label.color == colors::kBrightGreen) label.color = colors::kYellow;
    if (label.color == colors::kDarkGreen) label.color = colors::kOlive;
  }
}

// The lamps, and the marker the sim clock text carries while ON.
std::string LightSimLamps(MainControls& controls, int32_t hour, bool show24Hour, bool on) {
  // Green while the simulator is kept on the internal clock, yellow while it
  // is only watched.
  const Rgb lit = on ? colors::kBrightGreen : colors::kYellow;
  const Rgb unlit = on ? colors::kDarkGreen : colors::kOlive;
  if (show24Hour) {
    controls.simAm.color = unlit;
    controls.simPm.color = unlit;
    return on ? "(24 HR" : "";
  }
  const bool morning = hour < 12;
  controls.simAm.color = morning ? lit : unlit;
  controls.simPm.color = morning ? unlit : lit;
  if (!on) return "";
  return morning ? "(AM" : "(PM";
}

}  // namespace

void SetButtonFace(MainControls& controls, MainButton button, bool enabled, bool on) {
  ImageButtonState& state = controls.buttons[static_cast<size_t>(button)];
  state.enabled = enabled;
  state.face = ButtonFace::Grey;
  if (enabled) state.face = ButtonFace::Red;
  if (on) state.face = ButtonFace::Green;
}

void ShowInternalClock(MainControls& controls, const ClockParts& internal, bool show24Hour,
                       Regional& regional) {
  const bool morning = internal.hour < 12;
  controls.internalAm.color = !show24Hour && morning ? colors::kBrightGreen : colors::kDarkGreen;
  controls.internalPm.color = !show24Hour && !morning ? colors::kBrightGreen : colors::kDarkGreen;
  controls.internalTime.caption = ClockCaption(internal.hour, internal.minute, show24Hour);
  controls.internalDate.caption = regional.LongDate(internal.year, internal.month, internal.day);
}

std::string ShowSimClock(MainControls& controls, int32_t hour, int32_t minute,
                         const std::chrono::year_month_day& date, const DisplayToggles& toggles,
                         bool on, const Chronometers& counted, Regional& regional) {
  const std::string marker = LightSimLamps(controls, hour, toggles.show24Hour, on);
  const auto year = static_cast<int32_t>(date.year());
  const auto month = static_cast<int32_t>(static_cast<unsigned>(date.month()));
  const auto day = static_cast<int32_t>(static_cast<unsigned>(date.day()));
  controls.simTime.caption = ClockCaption(hour, minute, toggles.show24Hour);
  controls.simDate.caption =
      toggles.showChronometers
          ? "F: " + SecondsToText(counted.flightSeconds) + "  G: " +
                SecondsToText(counted.groundSeconds) + "  T: " +
                SecondsToText(SaturatedSum(counted.flightSeconds, counted.groundSeconds))
          : regional.LongDate(year, month, day);
  return std::to_string(ShownHour(hour, toggles.show24Hour)) + ":" + TwoDigits(minute) + marker +
         (toggles.showZulu ? " Zulu)" : ")") + ", " + regional.ShortDate(year, month, day);
}

void SetSimClockScheme(MainControls& controls, bool on) {
  const Rgb lit = on ? colors::kBrightGreen : colors::kYellow;
  controls.simTime.color = lit;
  controls.simDate.color = lit;
  Recolor(controls.simAm, on);
  Recolor(controls.simPm, on);
  Recolor(controls.simZulu, on);
}

void ShowNotConnected(MainControls& controls) {
  controls.simTime.caption = "?? : ??";
  controls.simDate.caption = "FSUIPC - Not connected";
  controls.simAm.color = colors::kOlive;
  controls.simPm.color = colors::kOlive;
  controls.simZulu.color = colors::kOlive;
}

}  // namespace horavia
