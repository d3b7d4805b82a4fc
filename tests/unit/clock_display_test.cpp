#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <string>

#include "windows/main_window_model.h"
#include "fakes/fake_platform.h"

namespace horavia {
namespace {

using namespace std::chrono;
using Style = fakes::FakeRegional::Style;

// Every clock test runs under two regional styles, so that no date format or
// separator can be hard-wired.
class ClockDisplayTest : public ::testing::TestWithParam<Style> {
 protected:
  fakes::FakeWorld world;
  fakes::FakeRegional regional{GetParam()};
  Platform platform{
      world.clock, regional,     world.keys,  world.sound,       world.shell,
      world.boxes, world.timers, world.files, world.noSimulator, fakes::kProgramFolder};
  ProcessContext context{platform};
  MainWindowModel form{context};
  MainState& state = form.State();
  const MainControls& controls = form.Controls();

  const char* ByStyle(const char* englishUs, const char* other) const {
    return GetParam() == Style::EnglishUs ? englishUs : other;
  }
  void SetPcClock(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                  int32_t second) {
    world.clock.now = LocalDateTime{year, month, day, hour, minute, second};
  }
};

INSTANTIATE_TEST_SUITE_P(Regional, ClockDisplayTest,
                         ::testing::Values(Style::EnglishUs, Style::Other), [](const auto& info) {
                           return std::string(info.param == Style::EnglishUs ? "EnglishUs"
                                                                             : "Other");
                         });

TEST_P(ClockDisplayTest, InternalClockIsThePcClockWhileNoOffsetIsSet) {
  SetPcClock(2026, 12, 5, 9, 5, 7);
  form.ShowInternalClock();
  EXPECT_EQ(state.pcClock, (ClockParts{9, 5, 7, 12, 5, 2026}));
  EXPECT_EQ(state.internalClock, state.pcClock);
  EXPECT_EQ(state.pcDateTimeText, ByStyle("12/5/2026 9:5:7", "05-12-2026 9:5:7"));
  EXPECT_EQ(state.internalDateTimeText, state.pcDateTimeText);
  EXPECT_EQ(controls.internalTime.caption, "9 : 05");
  EXPECT_EQ(controls.internalDate.caption, ByStyle("Saturday, December 5, 2026",
                                                      "samedi 5 d\xC3\xA9"
                                                      "cembre 2026"));

  // Each refresh reads the PC clock afresh.
  SetPcClock(2026, 12, 5, 9, 6, 0);
  form.ShowInternalClock();
  EXPECT_EQ(controls.internalTime.caption, "9 : 06");
}

TEST_P(ClockDisplayTest, InternalHourAndLampsOnTheTwelveAndTwentyFourHourClock) {
  struct Case {
    int32_t hour, minute;
    const char* caption;
    bool amLit;
  };
  for (const Case c :
       {Case{0, 5, "12 : 05", true}, Case{11, 59, "11 : 59", true}, Case{12, 0, "12 : 00", false},
        Case{13, 30, "1 : 30", false}, Case{23, 59, "11 : 59", false}}) {
    SetPcClock(2026, 12, 5, c.hour, c.minute, 0);
    form.ShowInternalClock();
    EXPECT_EQ(controls.internalTime.caption, c.caption) << c.hour;
    EXPECT_EQ(controls.internalAm.color, c.amLit ? colors::kBrightGreen : colors::kDarkGreen)
        << c.hour;
    EXPECT_EQ(controls.internalPm.color, c.amLit ? colors::kDarkGreen : colors::kBrightGreen)
        << c.hour;
  }

  // The 24-hour clock leaves both lamps unlit.
  state.show24Hour = true;
  for (const int32_t hour : {0, 13}) {
    SetPcClock(2026, 12, 5, hour, 5, 0);
    form.ShowInternalClock();
    EXPECT_EQ(controls.internalTime.caption, hour == 0 ? "0 : 05" : "13 : 05");
    EXPECT_EQ(controls.internalAm.color, colors::kDarkGreen);
    EXPECT_EQ(controls.internalPm.color, colors::kDarkGreen);
  }
}

TEST_P(ClockDisplayTest, OffsetMovesTheInternalDateAcrossMidnightAndYearEnd) {
  SetPcClock(2026, 12, 5, 23, 50, 0);
  state.internalClockOffset = 600;
  form.ShowInternalClock();
  EXPECT_EQ(state.pcClock, (ClockParts{23, 50, 0, 12, 5, 2026})) << "the PC parts stay the PC's";
  EXPECT_EQ(state.pcDateTimeText, ByStyle("12/5/2026 23:50:0", "05-12-2026 23:50:0"));
  EXPECT_EQ(state.internalClock, (ClockParts{0, 0, 0, 12, 6, 2026}));
  EXPECT_EQ(state.internalDateTimeText, ByStyle("12/6/2026 0:0:0", "06-12-2026 0:0:0"));
  EXPECT_EQ(controls.internalTime.caption, "12 : 00");
  EXPECT_EQ(controls.internalAm.color, colors::kBrightGreen);
  EXPECT_EQ(controls.internalDate.caption, ByStyle("Sunday, December 6, 2026",
                                                      "dimanche 6 d\xC3\xA9"
                                                      "cembre 2026"));

  SetPcClock(2027, 1, 1, 0, 10, 0);
  state.internalClockOffset = -1200;
  form.ShowInternalClock();
  EXPECT_EQ(state.internalClock, (ClockParts{23, 50, 0, 12, 31, 2026}));
  EXPECT_EQ(controls.internalDate.caption, ByStyle("Thursday, December 31, 2026",
                                                      "jeudi 31 d\xC3\xA9"
                                                      "cembre 2026"));

  state.internalClockOffset = kNone;
  form.ShowInternalClock();
  EXPECT_EQ(state.internalClock, state.pcClock) << "none is a marker, not a number of seconds";
}

TEST_P(ClockDisplayTest, SimClockTextWhileOn) {
  state.on = true;
  form.ShowSimClock(14, 5, 2026y / December / 5);
  EXPECT_EQ(state.simClockText, ByStyle("2:05(PM), 12/5/2026", "2:05(PM), 05-12-2026"));
  EXPECT_EQ(controls.simTime.caption, "2 : 05");
  EXPECT_EQ(controls.simAm.color, colors::kDarkGreen);
  EXPECT_EQ(controls.simPm.color, colors::kBrightGreen);
  EXPECT_EQ(controls.simDate.caption, ByStyle("Saturday, December 5, 2026",
                                                "samedi 5 d\xC3\xA9"
                                                "cembre 2026"));

  state.showZulu = true;
  state.show24Hour = true;
  form.ShowSimClock(19, 5, 2026y / December / 6);
  EXPECT_EQ(state.simClockText,
            ByStyle("19:05(24 HR Zulu), 12/6/2026", "19:05(24 HR Zulu), 06-12-2026"));
  EXPECT_EQ(controls.simTime.caption, "19 : 05");
  EXPECT_EQ(controls.simAm.color, colors::kDarkGreen);
  EXPECT_EQ(controls.simPm.color, colors::kDarkGreen);

  state.show24Hour = false;
  form.ShowSimClock(0, 0, 2028y / February / 29);
  EXPECT_EQ(state.simClockText, ByStyle("12:00(AM Zulu), 2/29/2028", "12:00(AM Zulu), 29-02-2028"));
  EXPECT_EQ(controls.simTime.caption, "12 : 00");
  EXPECT_EQ(controls.simAm.color, colors::kBrightGreen);
  EXPECT_EQ(controls.simPm.color, colors::kDarkGreen);
}

TEST_P(ClockDisplayTest, SimLampsWhileOffAreYellowAndOliveWithoutMarker) {
  form.ShowSimClock(9, 30, 2026y / December / 5);
  EXPECT_EQ(controls.simAm.color, colors::kYellow);
  EXPECT_EQ(controls.simPm.color, colors::kOlive);
  EXPECT_EQ(state.simClockText, ByStyle("9:30), 12/5/2026", "9:30), 05-12-2026"));

  form.ShowSimClock(12, 30, 2026y / December / 5);
  EXPECT_EQ(controls.simAm.color, colors::kOlive);
  EXPECT_EQ(controls.simPm.color, colors::kYellow);
  EXPECT_EQ(controls.simTime.caption, "12 : 30");

  state.show24Hour = true;
  form.ShowSimClock(9, 30, 2026y / December / 5);
  EXPECT_EQ(controls.simAm.color, colors::kOlive);
  EXPECT_EQ(controls.simPm.color, colors::kOlive);
  EXPECT_EQ(controls.simTime.caption, "9 : 30");
}

TEST_P(ClockDisplayTest, ChronometerLineReplacesTheSimDate) {
  state.on = true;
  state.showChronometers = true;
  state.flightSeconds = 3600;
  state.groundSeconds = 59;
  state.totalSeconds = 1;  // the line adds F and G itself
  form.ShowSimClock(14, 5, 2026y / December / 5);
  EXPECT_EQ(controls.simDate.caption, "F: 01:00:00  G: 00:00:59  T: 01:00:59");
  EXPECT_EQ(state.simClockText, ByStyle("2:05(PM), 12/5/2026", "2:05(PM), 05-12-2026"))
      << "the status line keeps the date";

  state.flightSeconds = std::numeric_limits<int32_t>::max();
  form.ShowSimClock(14, 5, 2026y / December / 5);
  EXPECT_EQ(controls.simDate.caption, "F: 596523:14:07  G: 00:00:59  T: 596523:14:07");
}

}  // namespace
}  // namespace horavia
