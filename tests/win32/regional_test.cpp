#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/ports/win32_regional.h"

namespace horavia::win32 {
namespace {

TEST(RegionalTest, TextWithoutAnAnsiFormBecomesQuestionMarks) {
  Win32Regional regional;
  // No ANSI code page has the aeroplane; a look-alike must not stand in.
  EXPECT_EQ(regional.ToAnsi("EDDF \xE2\x9C\x88 KJFK"), "EDDF ? KJFK");
  EXPECT_EQ(regional.ToAnsi(""), "");
  EXPECT_EQ(regional.FromAnsi("plain ASCII"), "plain ASCII");
  if (::GetACP() == 1252) {
    EXPECT_EQ(regional.ToAnsi("Z\xC3\xBCrich \xE2\x82\xAC"), "Z\xFCrich \x80");
    EXPECT_EQ(regional.FromAnsi("Z\xFCrich \x80"), "Z\xC3\xBCrich \xE2\x82\xAC");
    EXPECT_EQ(regional.ToAnsi("\xC4\x81"), "?") << "a-macron has no own form in 1252";
  }
}

TEST(RegionalTest, DatesFollowTheUsersFormatsAndRejectImpossibleDays) {
  Win32Regional regional;
  const std::string shortDate = regional.ShortDate(2026, 12, 5);
  const std::string separator = regional.DateSeparator();
  ASSERT_FALSE(separator.empty());
  EXPECT_NE(shortDate.find("12"), std::string::npos) << shortDate;
  EXPECT_NE(shortDate.find(separator), std::string::npos) << shortDate;
  EXPECT_NE(regional.LongDate(2026, 12, 5).find("2026"), std::string::npos);
  EXPECT_NE(regional.LongDate(2026, 12, 5), shortDate);
  EXPECT_EQ(regional.LongDate(2026, 2, 30), "");
  EXPECT_EQ(regional.ShortDate(2026, 13, 1), "");
  EXPECT_FALSE(regional.TimeSeparator().empty());
  EXPECT_FALSE(regional.DecimalSeparator().empty());
}

}  // namespace
}  // namespace horavia::win32
