// The two clock frames of the main window: the internal clock, derived from
// the PC clock and the internal clock offset, and the simulator's clock as
// last read.

#include <algorithm>
#include <limits>
#include <string>

#include "base/calendar.h"
#include "windows/main_window_model.h"
#include "base/time_text.h"

namespace horavia {
namespace {

// The same format for the PC and the internal clock: other parts turn these
// texts back into date-times under the same regional settings.
std::string DateTimeText(Regional& regional, const ClockParts& p) {
  return regional.ShortDate(p.year, p.month, p.day) + " " + std::to_string(p.hour) + ":" +
         std::to_string(p.minute) + ":" + std::to_string(p.second);
}

std::string ClockCaption(int32_t hour, int32_t minute, bool show24Hour) {
  return std::to_string(ShownHour(hour, show24Hour)) + " : " + TwoDigits(minute);
}

int32_t SaturatedSum(int32_t a, int32_t b) {
  return static_cast<int32_t>(
      std::min<int64_t>(int64_t{a} + b, std::numeric_limits<int32_t>::max()));
}

}  // namespace

void MainWindowModel::ShowInternalClock() {
  MainState& s = state_;
  Regional& regional = context_.os.regional;
  s.pcClock = PartsOf(context_.os.clock.Now());
  s.pcDateTimeText = DateTimeText(regional, s.pcClock);
  s.internalClock =
      s.internalClockOffset == kNone ? s.pcClock : AddSeconds(s.pcClock, s.internalClockOffset);
  s.internalDateTimeText = DateTimeText(regional, s.internalClock);

  const bool morning = s.internalClock.hour < 12;
  controls_.internalAm.color =
      !s.show24Hour && morning ? colors::kBrightGreen : colors::kDarkGreen;
  controls_.internalPm.color =
      !s.show24Hour && !morning ? colors::kBrightGreen : colors::kDarkGreen;
  controls_.internalTime.caption =
      ClockCaption(s.internalClock.hour, s.internalClock.minute, s.show24Hour);
  controls_.internalDate.caption =
      regional.LongDate(s.internalClock.year, s.internalClock.month, s.internalClock.day);
}

void MainWindowModel::ShowSimClock(int32_t hour, int32_t minute, const std::chrono::year_month_day& date) {
  MainState& s = state_;
  Regional& regional = context_.os.regional;
  // Green while the simulator is kept on the internal clock, yellow while it
  // is only watched.
  const Rgb lit = s.on ? colors::kBrightGreen : colors::kYellow;
  const Rgb unlit = s.on ? colors::kDarkGreen : colors::kOlive;
  const bool morning = hour < 12;

  std::string marker;
  if (s.show24Hour) {
    controls_.simAm.color = unlit;
    controls_.simPm.color = unlit;
    if (s.on) marker = "(24 HR";
  } else {
    controls_.simAm.color = morning ? lit : unlit;
    controls_.simPm.color = morning ? unlit : lit;
    if (s.on) marker = morning ? "(AM" : "(PM";
  }

  const int32_t year = static_cast<int32_t>(date.year());
  const auto month = static_cast<int32_t>(static_cast<unsigned>(date.month()));
  const auto day = static_cast<int32_t>(static_cast<unsigned>(date.day()));

  controls_.simTime.caption = ClockCaption(hour, minute, s.show24Hour);
  s.simClockText = std::to_string(ShownHour(hour, s.show24Hour)) + ":" + TwoDigits(minute) +
                   marker + (s.showZulu ? " Zulu)" : ")") + ", " +
                   regional.ShortDate(year, month, day);
  controls_.simDate.caption = s.showChronometers
                                    ? "F: " + SecondsToText(s.flightSeconds) + "  G: " + SecondsToText(s.groundSeconds) +
                                          "  T: " + SecondsToText(SaturatedSum(s.flightSeconds, s.groundSeconds))
                                    : regional.LongDate(year, month, day);
}

}  // namespace horavia
