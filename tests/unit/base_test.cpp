// The calendar arithmetic, the time texts and the code-page rules.

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <tuple>
#include <vector>

#include "base/calendar.h"
#include "base/code_page_rules.h"
#include "base/time_text.h"

namespace horavia {
namespace {

using namespace std::chrono;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

ClockParts At(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second) {
  return ClockParts{hour, minute, second, month, day, year};
}

TEST(CalendarTest, SecondsBetweenCountsLeapDaysRollsOverOddPartsAndSaturates) {
  const std::tuple<ClockParts, ClockParts, int32_t> cases[] = {
      {At(2026, 12, 5, 13, 45, 27), At(2026, 12, 5, 13, 45, 21), -6},
      {At(2026, 12, 5, 23, 59, 59), At(2026, 12, 6, 0, 0, 1), 2},
      {At(2026, 12, 31, 23, 0, 0), At(2027, 1, 1, 1, 0, 0), 7200},
      {At(2028, 2, 28, 12, 0, 0), At(2028, 3, 1, 12, 0, 0), 2 * 86400},
      {At(2027, 2, 28, 12, 0, 0), At(2027, 3, 1, 12, 0, 0), 86400},
      {At(2100, 2, 28, 0, 0, 0), At(2100, 3, 1, 0, 0, 0), 86400},  // not a leap year
      {ClockParts{}, At(-1, 11, 30, 0, 0, 1), 1},  // all zero: 30 November of year -1
      {At(2026, 13, 1, 0, 0, 0), At(2027, 1, 1, 0, 0, 0), 0},
      {At(2026, 3, 0, 24, 0, 0), At(2026, 3, 1, 0, 0, 0), 0},
      {At(1900, 1, 1, 0, 0, 0), At(2100, 1, 1, 0, 0, 0), kMax},
  };
  for (const auto& [from, to, seconds] : cases) {
    EXPECT_EQ(SecondsBetween(from, to), seconds)
        << from.year << "-" << from.month << "-" << from.day;
  }
  EXPECT_EQ(SecondsBetween(2026, 12, 5, 13, 45, 21, 2026, 12, 5, 13, 45, 27), 6);
  EXPECT_EQ(std::pair(AbsDifference(-240, -300), AbsDifference(kMin, kMax)), std::pair(60, kMax));
}

TEST(CalendarTest, AddSecondsDayOfYearAndDatesBothWays) {
  EXPECT_EQ(AddSeconds(At(2026, 12, 31, 23, 59, 30), 45), At(2027, 1, 1, 0, 0, 15));
  EXPECT_EQ(AddSeconds(At(2027, 1, 1, 0, 10, 0), -1200), At(2026, 12, 31, 23, 50, 0));
  EXPECT_EQ(AddSeconds(At(2026, 6, 15, 12, 0, 0), kMax), At(2094, 7, 3, 15, 14, 7));
  // Month ends with and without a leap day: the table above, and the days of the year below.
  EXPECT_EQ(std::vector({DateFromDayOfYear(2027, 60), DateFromDayOfYear(2028, 60), DateFromDayOfYear(2027, 366),
                         DateFromDayOfYear(2027, 0)}),
            std::vector({2027y / March / 1, 2028y / February / 29, 2028y / January / 1, 2026y / December / 31}));
  EXPECT_EQ(DayOfYear(2028y / December / 31), 366);
  EXPECT_EQ(DateOf(At(2026, 12, 31, 24, 0, 0)), 2027y / January / 1);
  EXPECT_EQ(PartsAt(2028y / February / 29, 5, 30, 0), At(2028, 2, 29, 5, 30, 0));
}

TEST(TimeTextTest, HoursNeverWrapAndNegativeCountsKeepTheirSign) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, "00:00:00"},         {3599, "00:59:59"},           {36000, "10:00:00"},
      {360000, "100:00:00"},   {kMax, "596523:14:07"},       {-61, "-00:01:01"},
      {kMin, "-596523:14:08"}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(SecondsToText(seconds), text);
}

// Windows refuses the "no best fit" flag and a default character for these
// code pages (the conversion fails); every other one takes both.
TEST(CodePageRulesTest, FlagsFollowTheCodePageInForce) {
  for (const uint32_t plain : {65001u, 65000u, 54936u, 50220u, 50222u, 50229u, 57002u, 57011u, 42u}) {
    EXPECT_TRUE(!AnsiConversionRulesFor(plain).noBestFit && !AnsiConversionRulesFor(plain).defaultChar) << plain;
  }
  for (const uint32_t usual : {1252u, 1250u, 932u, 936u, 57001u, 57012u, 50219u, 50230u, 65002u}) {
    EXPECT_TRUE(AnsiConversionRulesFor(usual).noBestFit && AnsiConversionRulesFor(usual).defaultChar) << usual;
  }
}

}  // namespace
}  // namespace horavia
