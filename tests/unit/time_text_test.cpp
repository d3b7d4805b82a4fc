#include "base/time_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace horavia {
namespace {

TEST(SecondsToTextTest, HoursAreTwoDigitsAtLeastAndNeverWrap) {
  EXPECT_EQ(SecondsToText(0), "00:00:00");
  EXPECT_EQ(SecondsToText(59), "00:00:59");
  EXPECT_EQ(SecondsToText(3599), "00:59:59");
  EXPECT_EQ(SecondsToText(3600), "01:00:00");
  EXPECT_EQ(SecondsToText(36000), "10:00:00");
  EXPECT_EQ(SecondsToText(86400), "24:00:00");
  EXPECT_EQ(SecondsToText(360000), "100:00:00");
  EXPECT_EQ(SecondsToText(std::numeric_limits<int32_t>::max()), "596523:14:07");
}

TEST(SecondsToTextTest, NegativeCountsKeepTheirSign) {
  EXPECT_EQ(SecondsToText(-61), "-00:01:01");
  EXPECT_EQ(SecondsToText(std::numeric_limits<int32_t>::min()), "-596523:14:08");
}

}  // namespace
}  // namespace horavia
