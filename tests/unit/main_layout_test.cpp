#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <string_view>

#include "windows/main_layout.h"

namespace horavia {
namespace {

TwipsRect AbsoluteOf(std::string_view name) {
  const LayoutEntry* entry = FindLayoutEntry(name);
  EXPECT_NE(entry, nullptr) << name;
  return entry != nullptr ? AbsoluteRect(*entry) : TwipsRect{};
}

bool Shown(std::string_view name, const MainControls& controls) {
  const LayoutEntry* entry = FindLayoutEntry(name);
  EXPECT_NE(entry, nullptr) << name;
  return entry != nullptr && IsShown(*entry, controls);
}

TEST(MainLayoutTest, NamesAreUniqueAndParentsAreFramesListedEarlier) {
  std::set<std::string_view> seen;
  for (const LayoutEntry& entry : kMainLayout) {
    EXPECT_TRUE(seen.insert(entry.name).second) << "twice: " << entry.name;
    if (entry.parent.empty()) continue;
    EXPECT_TRUE(seen.contains(entry.parent)) << entry.name << " before its parent";
    const LayoutEntry* parent = FindLayoutEntry(entry.parent);
    ASSERT_NE(parent, nullptr) << entry.name;
    EXPECT_EQ(parent->kind, ControlKind::Frame) << entry.name;
  }
}

TEST(MainLayoutTest, EveryControlFitsInsideItsParentAndTheClientArea) {
  for (const LayoutEntry& entry : kMainLayout) {
    const LayoutEntry* parent = FindLayoutEntry(entry.parent);
    const int32_t width = parent != nullptr ? parent->rect.width : kMainClientWidthTwips;
    const int32_t height = parent != nullptr ? parent->rect.height : kMainClientHeightTwips;
    EXPECT_GE(entry.rect.left, 0) << entry.name;
    EXPECT_GE(entry.rect.top, 0) << entry.name;
    EXPECT_LE(entry.rect.left + entry.rect.width, width) << entry.name;
    EXPECT_LE(entry.rect.top + entry.rect.height, height) << entry.name;
  }
}

TEST(MainLayoutTest, NestedPlacesAddUpTheFramesAround) {
  EXPECT_EQ(AbsoluteOf("simDate"), (TwipsRect{120 + 1800 + 120, 1080 + 120 + 240, 2775, 255}));
  EXPECT_EQ(AbsoluteOf("helpCommand"), (TwipsRect{120 + 1800 + 1560, 120 + 120 + 240, 375, 255}));
  EXPECT_EQ(AbsoluteOf("simTime"), (TwipsRect{360, 1320, 1215, 495}));
  // The information frame takes the internal clock's place when shown.
  EXPECT_EQ(AbsoluteOf("infoFrame"), AbsoluteOf("internalClockFrame"));
}

TEST(MainLayoutTest, FrameVisibilityHidesEverythingInsideIt) {
  MainControls controls;
  EXPECT_TRUE(Shown("internalDate", controls));
  EXPECT_FALSE(Shown("infoFrame", controls));
  EXPECT_FALSE(Shown("version", controls));
  EXPECT_FALSE(Shown("logCommand", controls)) << "two levels down";
  EXPECT_TRUE(Shown("simTime", controls)) << "the sim clock frame always shows";

  controls.internalClockFrameVisible = false;
  controls.infoFrameVisible = true;
  EXPECT_FALSE(Shown("internalDate", controls));
  EXPECT_TRUE(Shown("logCommand", controls));
  EXPECT_TRUE(Shown("version", controls));

  controls.simZulu.visible = false;
  EXPECT_FALSE(Shown("simZulu", controls));
  EXPECT_TRUE(Shown("simAm", controls));
}

TEST(MainLayoutTest, ModelDrivenLabelsShowTheModelsTextAndColour) {
  MainControls controls;
  controls.simTime = {"12 : 34", colors::kWhite};
  const ShownLabel clock = LabelContent(*FindLayoutEntry("simTime"), controls);
  EXPECT_EQ(clock.caption, "12 : 34");
  EXPECT_EQ(clock.color, colors::kWhite);

  const ShownLabel fixed = LabelContent(*FindLayoutEntry("programName"), controls);
  EXPECT_EQ(fixed.caption, "Horavia");
  EXPECT_EQ(fixed.color, colors::kMediumGreen);

  // Every label the model keeps is placed exactly once.
  for (LabelState MainControls::*state :
       {&MainControls::internalTime, &MainControls::internalAm,
        &MainControls::internalPm, &MainControls::internalDate, &MainControls::version,
        &MainControls::simTime, &MainControls::simAm, &MainControls::simPm,
        &MainControls::simZulu, &MainControls::simDate}) {
    const auto placed =
        std::count_if(kMainLayout.begin(), kMainLayout.end(),
                      [&](const LayoutEntry& entry) { return entry.label == state; });
    EXPECT_EQ(placed, 1);
  }
}

}  // namespace
}  // namespace horavia
