#include "base/calendar.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>

namespace horavia {
namespace {

using namespace std::chrono;

ClockParts At(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
              int32_t second) {
  return ClockParts{hour, minute, second, month, day, year};
}

TEST(CalendarTest, SecondsBetweenCountsAcrossDaysMonthsYearsAndLeapDays) {
  EXPECT_EQ(SecondsBetween(2026, 12, 5, 13, 45, 21, 2026, 12, 5, 13, 45, 27), 6);
  EXPECT_EQ(SecondsBetween(2026, 12, 5, 13, 45, 27, 2026, 12, 5, 13, 45, 21), -6);
  EXPECT_EQ(SecondsBetween(2026, 12, 5, 23, 59, 59, 2026, 12, 6, 0, 0, 1), 2);
  EXPECT_EQ(SecondsBetween(2026, 12, 31, 23, 0, 0, 2027, 1, 1, 1, 0, 0), 7200);
  EXPECT_EQ(SecondsBetween(2028, 2, 28, 12, 0, 0, 2028, 3, 1, 12, 0, 0), 2 * 86400);
  EXPECT_EQ(SecondsBetween(2027, 2, 28, 12, 0, 0, 2027, 3, 1, 12, 0, 0), 86400);
  EXPECT_EQ(SecondsBetween(2100, 2, 28, 0, 0, 0, 2100, 3, 1, 0, 0, 0), 86400) << "not a leap year";
  EXPECT_EQ(SecondsBetween(At(2026, 1, 1, 0, 0, 0), At(2027, 1, 1, 0, 0, 0)), 365 * 86400);
}

TEST(CalendarTest, SecondsBetweenRollsOverOddPartsAndHoldsAtTheLimits) {
  // Parts never filled are all zero: 30 November of year -1, at midnight.
  EXPECT_EQ(SecondsBetween(ClockParts{}, At(-1, 11, 30, 0, 0, 1)), 1);
  EXPECT_EQ(SecondsBetween(2026, 13, 1, 0, 0, 0, 2027, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(SecondsBetween(2026, 3, 0, 24, 0, 0, 2026, 3, 1, 0, 0, 0), 0);
  EXPECT_EQ(SecondsBetween(1900, 1, 1, 0, 0, 0, 2100, 1, 1, 0, 0, 0),
            std::numeric_limits<int32_t>::max());
  EXPECT_EQ(SecondsBetween(0, 1, 1, 0, 0, 0, 65535, 1, 1, 0, 0, 0),
            std::numeric_limits<int32_t>::max());
}

TEST(CalendarTest, AbsDifference) {
  EXPECT_EQ(AbsDifference(-300, -240), 60);
  EXPECT_EQ(AbsDifference(-240, -300), 60);
  EXPECT_EQ(AbsDifference(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()),
            std::numeric_limits<int32_t>::max());
}

TEST(CalendarTest, AddSecondsCrossesMidnightMonthAndYearBothWays) {
  EXPECT_EQ(AddSeconds(At(2026, 12, 5, 23, 50, 0), 600), At(2026, 12, 6, 0, 0, 0));
  EXPECT_EQ(AddSeconds(At(2026, 12, 31, 23, 59, 30), 45), At(2027, 1, 1, 0, 0, 15));
  EXPECT_EQ(AddSeconds(At(2027, 1, 1, 0, 10, 0), -1200), At(2026, 12, 31, 23, 50, 0));
  EXPECT_EQ(AddSeconds(At(2028, 2, 28, 23, 0, 0), 3600), At(2028, 2, 29, 0, 0, 0));
  EXPECT_EQ(AddSeconds(At(2027, 2, 28, 23, 0, 0), 3600), At(2027, 3, 1, 0, 0, 0));
  EXPECT_EQ(AddSeconds(At(2028, 3, 1, 0, 0, 0), -1), At(2028, 2, 29, 23, 59, 59));
  EXPECT_EQ(AddSeconds(At(2026, 6, 15, 12, 0, 0), std::numeric_limits<int32_t>::max()),
            At(2094, 7, 3, 15, 14, 7));
}

TEST(CalendarTest, DayOfYearBothWays) {
  EXPECT_EQ(DateFromDayOfYear(2027, 1), 2027y / January / 1);
  EXPECT_EQ(DateFromDayOfYear(2027, 365), 2027y / December / 31);
  EXPECT_EQ(DateFromDayOfYear(2027, 60), 2027y / March / 1);
  EXPECT_EQ(DateFromDayOfYear(2028, 60), 2028y / February / 29);
  EXPECT_EQ(DateFromDayOfYear(2027, 366), 2028y / January / 1);
  EXPECT_EQ(DateFromDayOfYear(2027, 0), 2026y / December / 31);
  EXPECT_EQ(DayOfYear(2027y / January / 1), 1);
  EXPECT_EQ(DayOfYear(2028y / February / 29), 60);
  EXPECT_EQ(DayOfYear(2028y / December / 31), 366);
}

TEST(CalendarTest, DateOfRollsOverAndPartsAtKeepsTheDate) {
  EXPECT_EQ(DateOf(At(2026, 12, 5, 13, 45, 21)), 2026y / December / 5);
  EXPECT_EQ(DateOf(At(2026, 12, 31, 24, 0, 0)), 2027y / January / 1);
  EXPECT_EQ(PartsAt(2028y / February / 29, 5, 30, 0), At(2028, 2, 29, 5, 30, 0));
}

}  // namespace
}  // namespace horavia
