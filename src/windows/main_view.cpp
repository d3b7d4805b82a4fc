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

// 4x, 1/2x, or to the hundredth (1.5x); never "1x" for a rate that is not.
std::string RateText(int32_t rate256, const std::string& decimalSeparator) {
  constexpr int32_t kRealTime = 256;
  if (rate256 % kRealTime == 0) return std::to_string(rate256 / kRealTime) + "x";
  if (kRealTime % rate256 == 0) return "1/" + std::to_string(kRealTime / rate256) + "x";
  int32_t hundredths = (rate256 * 100 + kRealTime / 2) / kRealTime;
  if (hundredths == 100) hundredths = rate256 > kRealTime ? 101 : 99;
  std::string text =
      std::to_string(hundredths / 100) + decimalSeparator + TwoDigits(hundredths % 100);
  if (text.ends_with('0')) text.pop_back();
  return text + "x";
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

void ShowSimulationRate(MainControls& controls, bool on, const SimClockReading& reading,
                        Regional& regional) {
  controls.simTime.toolTip.clear();
  if (!on || reading.RealTime()) return;
  controls.simTime.toolTip = "The simulator runs at " +
                             RateText(reading.rate256, regional.DecimalSeparator()) +
                             ": Horavia leaves its clock alone until it runs at 1x again.";
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
