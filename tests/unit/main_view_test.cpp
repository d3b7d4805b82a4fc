#include "windows/main_view.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <string>
#include <tuple>

#include "fakes/fake_platform.h"

namespace horavia {
namespace {

using namespace std::chrono;
using Style = fakes::FakeRegional::Style;

// Every clock test runs under two regional styles, so that no date format or
// separator can be hard-wired.
class MainViewTest : public ::testing::TestWithParam<Style> {
 protected:
  fakes::FakeRegional regional{GetParam()};
  MainControls controls;
  DisplayToggles toggles;
  Chronometers counted;

  const char* ByStyle(const char* englishUs, const char* other) const {
    return GetParam() == Style::EnglishUs ? englishUs : other;
  }
  // The clock's text, then its AM and PM lamps: Bright or Dark green, Yellow or Olive.
  static std::string Shown(const LabelState& time, const LabelState& am, const LabelState& pm) {
    const auto lamp = [](Rgb c) {
      return c == colors::kBrightGreen ? 'B' : c == colors::kDarkGreen ? 'D' : c == colors::kYellow ? 'Y' : 'O';
    };
    return time.caption + " " + lamp(am.color) + lamp(pm.color);
  }
  // Shows the simulator's clock; its status-line text is kept in `text`.
  std::string ShowSim(int32_t hour, int32_t minute, year_month_day date, bool on) {
    text = ShowSimClock(controls, hour, minute, date, toggles, on, counted, regional);
    return Shown(controls.simTime, controls.simAm, controls.simPm);
  }
  std::string text;
};

INSTANTIATE_TEST_SUITE_P(Regional, MainViewTest, ::testing::Values(Style::EnglishUs, Style::Other));

TEST_P(MainViewTest, InternalClockOnTheTwelveAndTwentyFourHourClock) {
  const std::tuple<int32_t, bool, const char*> cases[] = {
      {0, false, "12 : 05 BD"}, {12, false, "12 : 05 DB"}, {23, false, "11 : 05 DB"},
      {0, true, "0 : 05 DD"},   {13, true, "13 : 05 DD"}};
  for (const auto& [hour, show24Hour, shown] : cases) {
    ShowInternalClock(controls, ClockParts{hour, 5, 0, 12, 5, 2026}, show24Hour, regional);
    EXPECT_EQ(Shown(controls.internalTime, controls.internalAm, controls.internalPm), shown);
  }
  EXPECT_EQ(controls.internalDate.caption, ByStyle("Saturday, December 5, 2026", "d\xC3\xAD" "a 5.12.2026"));
}

TEST_P(MainViewTest, SimClockTextAndLampsWhileOnAndOff) {
  EXPECT_EQ(ShowSim(14, 5, 2026y / December / 5, true), "2 : 05 DB");
  EXPECT_EQ(text, ByStyle("2:05(PM), 12/5/2026", "2:05(PM), 05-12-2026"));
  EXPECT_EQ(controls.simDate.caption, ByStyle("Saturday, December 5, 2026", "d\xC3\xAD" "a 5.12.2026"));
  EXPECT_EQ(ShowSim(9, 30, 2026y / December / 5, false), "9 : 30 YO");
  EXPECT_EQ(text, ByStyle("9:30), 12/5/2026", "9:30), 05-12-2026"));
  EXPECT_EQ(ShowSim(12, 30, 2026y / December / 5, false), "12 : 30 OY");
  toggles.showZulu = true;
  toggles.show24Hour = true;
  EXPECT_EQ(ShowSim(19, 5, 2026y / December / 6, true), "19 : 05 DD");
  EXPECT_EQ(text, ByStyle("19:05(24 HR Zulu), 12/6/2026", "19:05(24 HR Zulu), 06-12-2026"));
  EXPECT_EQ(ShowSim(9, 30, 2026y / December / 5, false), "9 : 30 OO");
  toggles.show24Hour = false;
  EXPECT_EQ(ShowSim(0, 0, 2028y / February / 29, true), "12 : 00 BD");
  EXPECT_EQ(text, ByStyle("12:00(AM Zulu), 2/29/2028", "12:00(AM Zulu), 29-02-2028"));
}

TEST_P(MainViewTest, ChronometerLineReplacesTheSimDateAndSaturates) {
  toggles.showChronometers = true;
  counted = {3600, 59, 1};  // the line adds flight and ground itself
  ShowSim(14, 5, 2026y / December / 5, true);
  EXPECT_EQ(text, ByStyle("2:05(PM), 12/5/2026", "2:05(PM), 05-12-2026")) << "the status line keeps the date";
  EXPECT_EQ(controls.simDate.caption, "F: 01:00:00  G: 00:00:59  T: 01:00:59");
  counted.flightSeconds = std::numeric_limits<int32_t>::max();
  ShowSim(14, 5, 2026y / December / 5, true);
  EXPECT_EQ(controls.simDate.caption, "F: 596523:14:07  G: 00:00:59  T: 596523:14:07");
}

}  // namespace
}  // namespace horavia
