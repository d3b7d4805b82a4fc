#include <gtest/gtest.h>
#include <windows.h>

#include "win32/support/dpi.h"
#include "windows/main_layout.h"

namespace horavia::win32 {
namespace {

TEST(DpiTest, TwipsBecomePixelsAtTheWindowsDpiRoundedToNearest) {
  EXPECT_EQ(TwipsToPixels(kMainClientWidthTwips, 96), 345);
  EXPECT_EQ(TwipsToPixels(kMainClientHeightTwips, 96), 177);
  EXPECT_EQ(TwipsToPixels(15, 96), 1);
  // At 150 % the client area's 517.5 x 265.5 pixels round up, as MulDiv does.
  EXPECT_EQ(TwipsToPixels(kMainClientWidthTwips, 144), 518);
  EXPECT_EQ(TwipsToPixels(kMainClientHeightTwips, 144), 266);
  EXPECT_EQ(TwipsToPixels(kMainClientWidthTwips, 192), 690);
  EXPECT_EQ(TwipsToPixels(7, 96), 0);
  EXPECT_EQ(TwipsToPixels(8, 96), 1);
}

class DpiOverrideTest : public ::testing::Test {
 protected:
  void TearDown() override { ::SetEnvironmentVariableA("HORAVIA_DPI", nullptr); }
};

TEST_F(DpiOverrideTest, OnlyAPlausibleNumberOverridesTheDpi) {
  ::SetEnvironmentVariableA("HORAVIA_DPI", nullptr);
  EXPECT_FALSE(DpiOverride().has_value());
  ::SetEnvironmentVariableA("HORAVIA_DPI", "144");
  EXPECT_EQ(DpiOverride(), 144u);
  EXPECT_EQ(EffectiveDpi(nullptr), 144u);
  for (const char* bad : {"", "abc", "144dpi", "20", "5000", "-96"}) {
    ::SetEnvironmentVariableA("HORAVIA_DPI", bad);
    EXPECT_FALSE(DpiOverride().has_value()) << bad;
  }
}

}  // namespace
}  // namespace horavia::win32
