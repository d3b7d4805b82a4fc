#include "windows/main_view.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <string>

#include "fakes/fake_platform.h"

namespace horavia {
namespace {

using namespace std::chrono;
using Style = fakes::FakeRegional::Style;

// Every clock test runs under two regional styles, so that no date format or
// separator can be hard-wired.
class MainViewTest : public ::testing::TestWithParam<Style> {
 protected:
  fakes::FakeClock pc;
  fakes::FakeRegional regional{GetParam()};
  MainControls controls;
  DisplayToggles toggles;
  Chronometers counted;

  const char* ByStyle(const char* englishUs, const char* other) const {
    return GetParam() == Style::EnglishUs ? englishUs : other;
  }
  std::string ShowSim(int32_t hour, int32_t minute, year_month_day date, bool on) {
    return ShowSimClock(controls, hour, minute, date, toggles, on, counted, regional);
  }
};

INSTANTIATE_TEST_SUITE_P(Regional, MainViewTest,
                         ::testing::Values(Style::EnglishUs, Style::Other), [](const auto& info) {
                           return std::string(info.param == Style::EnglishUs ? "EnglishUs"
                                                                             : "Other");
                         });

TEST_P(MainViewTest, InternalHourAndLampsOnTheTwelveAndTwentyFourHourClock) {
  struct Case {
    int32_t hour, minute;
    const char* caption;
    bool amLit;
  };
  for (const Case c :
       {Case{0, 5, "12 : 05", true}, Case{11, 59, "11 : 59", true}, Case{12, 0, "12 : 00", false},
        Case{13, 30, "1 : 30", false}, Case{23, 59, "11 : 59", false}}) {
    ShowInternalClock(controls, ClockParts{c.hour, c.minute, 0, 12, 5, 2026}, false, regional);
    EXPECT_EQ(controls.internalTime.caption, c.caption) << c.hour;
    EXPECT_EQ(controls.internalAm.color, c.amLit ? colors::kBrightGreen : colors::kDarkGreen)
        << c.hour;
    EXPECT_EQ(controls.internalPm.color, c.amLit ? colors::kDarkGreen : colors::kBrightGreen)
        << c.hour;
  }
  EXPECT_EQ(controls.internalDate.caption, ByStyle("Saturday, December 5, 2026",
                                                   "samedi 5 d\xC3\xA9"
                                                   "cembre 2026"));

  // The 24-hour clock leaves both lamps unlit.
  for (const int32_t hour : {0, 13}) {
    ShowInternalClock(controls, ClockParts{hour, 5, 0, 12, 5, 2026}, true, regional);
    EXPECT_EQ(controls.internalTime.caption, hour == 0 ? "0 : 05" : "13 : 05");
    EXPECT_EQ(controls.internalAm.color, colors::kDarkGreen);
    EXPECT_EQ(controls.internalPm.color, colors::kDarkGreen);
  }
}

// The internal clock is the PC clock until the timekeeper takes an offset
// from the simulator, and then the PC clock moved by it across days and
// years; each refresh reads the PC clock afresh.
TEST_P(MainViewTest, TheInternalClockFollowsThePcClockAndItsOffset) {
  Timekeeper keeper(pc);
  pc.now = LocalDateTime{2026, 12, 5, 23, 50, 0};
  EXPECT_EQ(keeper.Refresh().internal, (ClockParts{23, 50, 0, 12, 5, 2026}));
  keeper.SwitchOn();
  // The simulator ten minutes ahead, already on the next day (zone 0).
  keeper.Keep(SimClockReading{0, 0, 0, 0, 0, 340, 2026}, false, false);
  EXPECT_EQ(keeper.InternalClockOffset(), 600);
  EXPECT_EQ(keeper.LastRefresh().pc, (ClockParts{23, 50, 0, 12, 5, 2026}))
      << "the PC parts stay the PC's";
  EXPECT_EQ(keeper.LastRefresh().internal, (ClockParts{0, 0, 0, 12, 6, 2026}));
  ShowInternalClock(controls, keeper.LastRefresh().internal, false, regional);
  EXPECT_EQ(controls.internalTime.caption, "12 : 00");
  EXPECT_EQ(controls.internalDate.caption, ByStyle("Sunday, December 6, 2026",
                                                   "dimanche 6 d\xC3\xA9"
                                                   "cembre 2026"));
  pc.now = LocalDateTime{2027, 1, 1, 0, 5, 0};
  EXPECT_EQ(keeper.Refresh().internal, (ClockParts{0, 15, 0, 1, 1, 2027}));
  pc.now = LocalDateTime{2026, 12, 31, 23, 55, 0};
  EXPECT_EQ(keeper.Refresh().internal, (ClockParts{0, 5, 0, 1, 1, 2027}));
  keeper.SwitchOff();
  EXPECT_EQ(keeper.Refresh().internal, keeper.LastRefresh().pc);
}

TEST_P(MainViewTest, SimClockTextWhileOn) {
  EXPECT_EQ(ShowSim(14, 5, 2026y / December / 5, true),
            ByStyle("2:05(PM), 12/5/2026", "2:05(PM), 05-12-2026"));
  EXPECT_EQ(controls.simTime.caption, "2 : 05");
  EXPECT_EQ(controls.simAm.color, colors::kDarkGreen);
  EXPECT_EQ(controls.simPm.color, colors::kBrightGreen);
  EXPECT_EQ(controls.simDate.caption, ByStyle("Saturday, December 5, 2026",
                                              "samedi 5 d\xC3\xA9"
                                              "cembre 2026"));

  toggles.showZulu = true;
  toggles.show24Hour = true;
  EXPECT_EQ(ShowSim(19, 5, 2026y / December / 6, true),
            ByStyle("19:05(24 HR Zulu), 12/6/2026", "19:05(24 HR Zulu), 06-12-2026"));
  EXPECT_EQ(controls.simTime.caption, "19 : 05");
  EXPECT_EQ(controls.simAm.color, colors::kDarkGreen);
  EXPECT_EQ(controls.simPm.color, colors::kDarkGreen);

  toggles.show24Hour = false;
  EXPECT_EQ(ShowSim(0, 0, 2028y / February / 29, true),
            ByStyle("12:00(AM Zulu), 2/29/2028", "12:00(AM Zulu), 29-02-2028"));
  EXPECT_EQ(controls.simTime.caption, "12 : 00");
  EXPECT_EQ(controls.simAm.color, colors::kBrightGreen);
  EXPECT_EQ(controls.simPm.color, colors::kDarkGreen);
}

TEST_P(MainViewTest, SimLampsWhileOffAreYellowAndOliveWithoutMarker) {
  EXPECT_EQ(ShowSim(9, 30, 2026y / December / 5, false),
            ByStyle("9:30), 12/5/2026", "9:30), 05-12-2026"));
  EXPECT_EQ(controls.simAm.color, colors::kYellow);
  EXPECT_EQ(controls.simPm.color, colors::kOlive);

  ShowSim(12, 30, 2026y / December / 5, false);
  EXPECT_EQ(controls.simAm.color, colors::kOlive);
  EXPECT_EQ(controls.simPm.color, colors::kYellow);
  EXPECT_EQ(controls.simTime.caption, "12 : 30");

  toggles.show24Hour = true;
  ShowSim(9, 30, 2026y / December / 5, false);
  EXPECT_EQ(controls.simAm.color, colors::kOlive);
  EXPECT_EQ(controls.simPm.color, colors::kOlive);
  EXPECT_EQ(controls.simTime.caption, "9 : 30");
}

TEST_P(MainViewTest, ChronometerLineReplacesTheSimDate) {
  toggles.showChronometers = true;
  counted = {3600, 59, 1};  // the line adds flight and ground itself
  EXPECT_EQ(ShowSim(14, 5, 2026y / December / 5, true),
            ByStyle("2:05(PM), 12/5/2026", "2:05(PM), 05-12-2026"))
      << "the status line keeps the date";
  EXPECT_EQ(controls.simDate.caption, "F: 01:00:00  G: 00:00:59  T: 01:00:59");

  counted.flightSeconds = std::numeric_limits<int32_t>::max();
  ShowSim(14, 5, 2026y / December / 5, true);
  EXPECT_EQ(controls.simDate.caption, "F: 596523:14:07  G: 00:00:59  T: 596523:14:07");
}

}  // namespace
}  // namespace horavia
