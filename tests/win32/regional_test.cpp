#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "win32/ports/win32_regional.h"

namespace horavia::win32 {
namespace {

// Whatever the code page, the conversion must succeed: Windows refuses some
// flags for some code pages (UTF-8 among them), and a refused conversion
// would keep every log entry and status line from being written. A run may
// name the code page it set up in HORAVIA_EXPECT_ACP, so that a locale that
// did not take cannot pass for it.
TEST(RegionalTest, ConversionsSucceedInTheCodePageInForce) {
  const UINT codePage = ::GetACP();
  char expected[16] = "";
  if (::GetEnvironmentVariableA("HORAVIA_EXPECT_ACP", expected, sizeof expected) > 0) {
    ASSERT_EQ(std::to_string(codePage), expected) << "the locale of this run did not take";
  }
  Win32Regional regional;
  const std::string longDate = regional.LongDate(2026, 12, 5);
  const std::optional<std::string> date = regional.ToAnsi(longDate);
  ASSERT_TRUE(date.has_value()) << "code page " << codePage;
  EXPECT_EQ(regional.FromAnsi(*date), longDate) << "a date of this system has its own form";
  EXPECT_EQ(regional.ToAnsi(""), "");

  // The aeroplane has a form in UTF-8 only; elsewhere a look-alike must not
  // stand in for it.
  EXPECT_EQ(regional.ToAnsi("EDDF \xE2\x9C\x88 KJFK"),
            codePage == CP_UTF8 ? "EDDF \xE2\x9C\x88 KJFK" : "EDDF ? KJFK");
  if (codePage == 1252) {
    EXPECT_EQ(regional.ToAnsi("Z\xC3\xBCrich \xE2\x82\xAC"), "Z\xFCrich \x80");
    EXPECT_EQ(regional.FromAnsi("Z\xFCrich \x80"), "Z\xC3\xBCrich \xE2\x82\xAC");
    EXPECT_EQ(regional.ToAnsi("\xC4\x81"), "?") << "a-macron has no own form in 1252";
  }
}

TEST(RegionalTest, DatesFollowTheUsersFormatsAndRejectImpossibleDays) {
  Win32Regional regional;
  const std::string shortDate = regional.ShortDate(2026, 12, 5);
  EXPECT_NE(shortDate.find("12" + regional.DateSeparator()), std::string::npos) << shortDate;
  EXPECT_NE(regional.LongDate(2026, 12, 5).find("2026"), std::string::npos);
  EXPECT_NE(regional.LongDate(2026, 12, 5), shortDate);
  EXPECT_EQ(regional.LongDate(2026, 2, 30), "");
  EXPECT_EQ(regional.ShortDate(2026, 13, 1), "");
  EXPECT_FALSE(regional.DateSeparator().empty());
  EXPECT_FALSE(regional.TimeSeparator().empty());
  EXPECT_FALSE(regional.DecimalSeparator().empty());
}

}  // namespace
}  // namespace horavia::win32
