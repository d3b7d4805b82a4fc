// What the main window draws: the button faces, their scaling into a cell,
// and the placement of every control.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "windows/button_faces.h"
#include "windows/face_scaling.h"
#include "windows/main_layout.h"

namespace horavia {
namespace {

constexpr Rgb kBlack{0, 0, 0}, kOutline{128, 128, 128}, kShadow{192, 192, 192};

Rgb Pixel(const std::vector<Rgb>& picture, int width, int x, int y) {
  return picture[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
}
Rgb Pixel(const FacePicture& face, int x, int y) {
  return face[static_cast<size_t>(y) * kFaceWidth + static_cast<size_t>(x)];
}

TEST(ButtonFacesTest, OutlineShadowAndLampOfEachFace) {
  const struct {
    ButtonFace face;
    int x, y;
    Rgb color;
  } pixels[] = {
      {ButtonFace::Red, 0, 0, kBlack},     {ButtonFace::Red, 1, 1, kOutline},
      {ButtonFace::Red, 1, 7, kOutline},   {ButtonFace::Red, 21, 7, kOutline},
      {ButtonFace::Red, 11, 13, kOutline}, {ButtonFace::Red, 2, 2, kBlack},
      {ButtonFace::Red, 22, 1, kShadow},   {ButtonFace::Red, 23, 1, kBlack},
      {ButtonFace::Red, 23, 13, kShadow},  {ButtonFace::Red, 2, 14, kShadow},
      {ButtonFace::Red, 1, 14, kBlack},    {ButtonFace::Red, 24, 14, kBlack},
      {ButtonFace::Red, 5, 5, {255, 0, 0}}, {ButtonFace::Red, 17, 9, {255, 0, 0}},
      {ButtonFace::Red, 4, 5, kBlack},     {ButtonFace::Red, 17, 10, kBlack},
      {ButtonFace::Grey, 5, 5, {43, 43, 0}}, {ButtonFace::Grey, 17, 9, {43, 43, 0}},
      {ButtonFace::Grey, 22, 1, kShadow},  {ButtonFace::Green, 3, 2, kOutline},
      {ButtonFace::Green, 23, 14, kOutline}, {ButtonFace::Green, 24, 2, kBlack},
      {ButtonFace::Green, 1, 1, kBlack},   {ButtonFace::Green, 7, 6, {0, 255, 0}},
      {ButtonFace::Green, 19, 10, {0, 255, 0}}, {ButtonFace::Green, 19, 11, kBlack},
      {ButtonFace::Green, 22, 1, kBlack},  {ButtonFace::Green, 2, 14, kBlack}};
  for (const auto& p : pixels) {
    EXPECT_EQ(Pixel(FacePixels(p.face), p.x, p.y), p.color)
        << static_cast<int>(p.face) << " at " << p.x << "," << p.y;
  }
}

TEST(ButtonFacesTest, ScalingCopiesDoublesOrSpreadsEveryPixelInOrder) {
  const FacePicture green = FacePixels(ButtonFace::Green);
  EXPECT_TRUE(std::ranges::equal(ScaleFace(green, kFaceWidth, kFaceHeight), green));
  const std::vector<Rgb> twice = ScaleFace(green, 2 * kFaceWidth, 2 * kFaceHeight);
  for (int y = 0; y < 2 * kFaceHeight; ++y) {
    for (int x = 0; x < 2 * kFaceWidth; ++x) {
      ASSERT_EQ(Pixel(twice, 2 * kFaceWidth, x, y), Pixel(green, x / 2, y / 2)) << x << "," << y;
    }
  }
  // At 150 % a face pixel becomes one or two screen pixels, and none is
  // dropped, so the one-pixel outline still shows all round.
  for (const auto& [cellSize, faceSize] :
       {std::pair{40, kFaceWidth}, {41, kFaceWidth}, {25, kFaceHeight}, {26, kFaceHeight}}) {
    std::vector<int> runs(static_cast<size_t>(faceSize), 0);
    for (int p = 0; p < cellSize; ++p) ++runs[static_cast<size_t>(FaceSourcePixel(p, cellSize, faceSize))];
    EXPECT_EQ(std::ranges::count_if(runs, [](int n) { return n < 1 || n > 2; }), 0) << cellSize;
  }
  EXPECT_TRUE(ScaleFace(green, 0, 17).empty());
  EXPECT_TRUE(ScaleFace(green, 17, 0).empty());
  EXPECT_EQ(FaceSourcePixel(5, 0, kFaceWidth), 0);
}

TEST(MainLayoutTest, ControlsNestInEarlierFramesAndAddUpTheirPlaces) {
  std::set<std::string_view> seen;
  for (const LayoutEntry& entry : kMainLayout) {
    EXPECT_TRUE(seen.insert(entry.name).second) << "twice: " << entry.name;
    const LayoutEntry* parent = FindLayoutEntry(entry.parent);
    EXPECT_TRUE(entry.parent.empty() || (parent != nullptr && parent->kind == ControlKind::Frame &&
                                         seen.contains(entry.parent))) << entry.name;
    const TwipsRect& r = entry.rect;
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 &&
                r.left + r.width <= (parent ? parent->rect.width : kMainClientWidthTwips) &&
                r.top + r.height <= (parent ? parent->rect.height : kMainClientHeightTwips)) << entry.name;
  }
  const auto absolute = [](std::string_view name) { return AbsoluteRect(*FindLayoutEntry(name)); };
  EXPECT_EQ(absolute("simDate"), (TwipsRect{120 + 1800 + 120, 1080 + 120 + 240, 2775, 255}));
  EXPECT_EQ(absolute("helpCommand"), (TwipsRect{120 + 1800 + 1560, 120 + 120 + 240, 375, 255}));
  EXPECT_EQ(absolute("infoFrame"), absolute("internalClockFrame"));
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
  for (LabelState MainControls::*state :
       {&MainControls::internalTime, &MainControls::internalAm, &MainControls::internalPm,
        &MainControls::internalDate, &MainControls::version, &MainControls::simTime,
        &MainControls::simAm, &MainControls::simPm, &MainControls::simZulu, &MainControls::simDate}) {
    EXPECT_EQ(std::ranges::count(kMainLayout, state, &LayoutEntry::label), 1) << "placed once";
  }
}

}  // namespace
}  // namespace horavia
