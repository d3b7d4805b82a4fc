// What the main window shows: its clocks under two regional styles, the
// button faces and their scaling into a cell, and which controls show.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "fakes/fake_platform.h"
#include "windows/button_faces.h"
#include "windows/face_scaling.h"
#include "windows/main_layout.h"
#include "windows/main_view.h"

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

// While ON, a rate other than real time is named in the sim clock's tip.
TEST_P(MainViewTest, TheSimClocksTipNamesARateOtherThanRealTimeWhileOn) {
  const std::tuple<int32_t, bool, const char*> cases[] = {
      {1024, true, "4x"},   {128, true, "1/2x"},  {64, true, "1/4x"},  {384, true, "1.5x"}, {320, true, "1.25x"},
      {257, true, "1.01x"}, {255, true, "0.99x"}, {256, true, nullptr}, {0, true, nullptr}, {1024, false, nullptr}};
  for (const auto& [rate, on, shown] : cases) {
    ShowSimulationRate(controls, on, SimClockReading{.rate256 = rate}, regional);
    std::string text = shown == nullptr ? "" : shown;
    if (GetParam() == Style::Other) std::ranges::replace(text, '.', ',');
    EXPECT_EQ(controls.simTime.toolTip,
              text.empty() ? "" : "The simulator runs at " + text + ": Horavia leaves its clock alone until it runs at 1x again.")
        << rate;
  }
}

constexpr Rgb kBlack{0, 0, 0}, kOutline{128, 128, 128}, kShadow{192, 192, 192};

template <typename Picture>
Rgb Pixel(const Picture& picture, int x, int y, int width = kFaceWidth) {
  return picture[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
}

TEST(ButtonFacesTest, OutlineShadowAndLampOfEachFace) {
  const std::tuple<ButtonFace, int, int, Rgb> pixels[] = {
      {ButtonFace::Red, 0, 0, kBlack},         {ButtonFace::Red, 1, 7, kOutline},     {ButtonFace::Red, 21, 7, kOutline},
      {ButtonFace::Red, 11, 13, kOutline},     {ButtonFace::Red, 2, 2, kBlack},       {ButtonFace::Red, 22, 1, kShadow},
      {ButtonFace::Red, 23, 1, kBlack},        {ButtonFace::Red, 23, 13, kShadow},    {ButtonFace::Red, 2, 14, kShadow},
      {ButtonFace::Red, 24, 14, kBlack},       {ButtonFace::Red, 5, 5, {255, 0, 0}},  {ButtonFace::Red, 17, 9, {255, 0, 0}},
      {ButtonFace::Red, 4, 5, kBlack},         {ButtonFace::Red, 17, 10, kBlack},     {ButtonFace::Grey, 5, 5, {43, 43, 0}},
      {ButtonFace::Grey, 22, 1, kShadow},      {ButtonFace::Green, 3, 2, kOutline},   {ButtonFace::Green, 23, 14, kOutline},
      {ButtonFace::Green, 24, 2, kBlack},      {ButtonFace::Green, 1, 1, kBlack},     {ButtonFace::Green, 7, 6, {0, 255, 0}},
      {ButtonFace::Green, 19, 10, {0, 255, 0}}, {ButtonFace::Green, 19, 11, kBlack},  {ButtonFace::Green, 22, 1, kBlack}};
  for (const auto& [face, x, y, color] : pixels) {
    EXPECT_EQ(Pixel(FacePixels(face), x, y), color)
        << static_cast<int>(face) << " at " << x << "," << y;
  }
}

TEST(ButtonFacesTest, ScalingCopiesOrDoublesEveryPixelAndAnEmptyCellHasNone) {
  const FacePicture green = FacePixels(ButtonFace::Green);
  EXPECT_TRUE(std::ranges::equal(ScaleFace(green, kFaceWidth, kFaceHeight), green));
  const std::vector<Rgb> twice = ScaleFace(green, 2 * kFaceWidth, 2 * kFaceHeight);
  for (int y = 0; y < 2 * kFaceHeight; ++y) {
    for (int x = 0; x < 2 * kFaceWidth; ++x) {
      ASSERT_EQ(Pixel(twice, x, y, 2 * kFaceWidth), Pixel(green, x / 2, y / 2)) << x << "," << y;
    }
  }
  EXPECT_TRUE(ScaleFace(green, 0, 17).empty() && ScaleFace(green, 17, 0).empty());
  EXPECT_EQ(FaceSourcePixel(5, 0, kFaceWidth), 0);
}

TEST(MainLayoutTest, FramesHideWhatIsInThemAndLabelsShowTheModel) {
  MainControls controls;
  const auto shown = [&](std::string_view name) { return IsShown(*FindLayoutEntry(name), controls); };
  EXPECT_EQ(std::vector({shown("internalDate"), shown("logCommand"), shown("simTime")}),
            std::vector({true, false, true}));  // the info frame's command two levels down
  controls.internalClockFrameVisible = false;
  controls.infoFrameVisible = true;
  controls.simZulu.visible = false;
  EXPECT_EQ(std::vector({shown("internalDate"), shown("logCommand"), shown("simZulu"), shown("simAm")}),
            std::vector({false, true, false, true}));
  controls.simTime = {"12 : 34", colors::kWhite};
  const ShownLabel clock = LabelContent(*FindLayoutEntry("simTime"), controls);
  EXPECT_TRUE(clock.caption == "12 : 34" && clock.color == colors::kWhite);
  EXPECT_EQ(LabelContent(*FindLayoutEntry("programName"), controls).caption, "Horavia");
}

}  // namespace
}  // namespace horavia
