#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <string>

namespace horavia {
namespace {

SettingsReadResult Read(std::string_view text, std::string_view decimal = ".") {
  return ReadSettingsText(text, Settings{}, decimal);
}

TEST(SettingsNumber, BlanksSignsAndHalvesToEven) {
  EXPECT_EQ(ParseSettingsNumber(" 30 ", "."), 30);
  EXPECT_EQ(ParseSettingsNumber("\t-5", "."), -5);
  EXPECT_EQ(ParseSettingsNumber("2.5", "."), 2);
  EXPECT_EQ(ParseSettingsNumber("3.5", "."), 4);
  EXPECT_EQ(ParseSettingsNumber("0.4", "."), 0);
  EXPECT_EQ(ParseSettingsNumber("2.51", "."), 3);
  EXPECT_EQ(ParseSettingsNumber("2.500", "."), 2);
  EXPECT_EQ(ParseSettingsNumber("-2.5", "."), -2);
  EXPECT_EQ(ParseSettingsNumber("-3.5", "."), -4);
  EXPECT_EQ(ParseSettingsNumber("2147483647", "."), 2147483647);
  EXPECT_EQ(ParseSettingsNumber("-2147483648", "."), -2147483647 - 1);
}

TEST(SettingsNumber, TheUsersDecimalSeparatorOnly) {
  EXPECT_EQ(ParseSettingsNumber("3,5", ","), 4);
  EXPECT_EQ(ParseSettingsNumber("3.5", ","), std::nullopt);
  EXPECT_EQ(ParseSettingsNumber("3,5", "."), std::nullopt);
}

TEST(SettingsNumber, WhatIsNotANumber) {
  for (const char* bad : {"", "   ", "abc", "10=20", "1 2", "2147483648", "-2147483649",
                          "99999999999999999999999999", "-", ".", "0x10", "12a"}) {
    EXPECT_EQ(ParseSettingsNumber(bad, "."), std::nullopt) << '"' << bad << '"';
  }
}

TEST(SettingsRead, KeysAreWholeCaseSensitiveAndSplitAtTheFirstEquals) {
  const auto r = Read(
      "SYNC_INTERVAL =40\r\nsync_interval=50\r\nLOG_SECOND_MIN=10=20\r\n"
      "START_HK=65\r\nNo equals sign\r\n=\r\nSTATUS_HK= 83 \r\n");
  EXPECT_FALSE(r.syncIntervalSeconds.has_value());
  EXPECT_EQ(r.settings.logSecondMin, 60) << "a value that is not a number keeps the field";
  EXPECT_EQ(r.settings.startKey, 65);
  EXPECT_EQ(r.settings.startModifiers, 0);
  EXPECT_EQ(r.settings.statusKey, 83);
}

TEST(SettingsRead, TheLastLineWinsAndBareLineFeedsWork) {
  const auto r = Read("SYNC_INTERVAL=90\nLOG_SECOND_MIN=5\nLOG_SECOND_MIN=7\nSYNC_INTERVAL=30\n");
  EXPECT_EQ(r.syncIntervalSeconds, 30);
  EXPECT_EQ(r.settings.logSecondMin, 7);
  // A later unreadable line does not undo an earlier good one.
  const auto kept = Read("SM_TIMEOUT_RETRY=3\r\nSM_TIMEOUT_RETRY=lots\r\n");
  EXPECT_EQ(kept.settings.smTimeoutRetry, 3);
}

TEST(SettingsRead, OutOfRangeValuesAreStoredAsTheyAre) {
  const auto r = Read("START_HK=300\r\nSTART_HKCS=7\r\nLOG_SECOND_MIN=-4\r\nSM_TIMEOUT_RETRY=0\r\n");
  EXPECT_EQ(r.settings.startKey, 300);
  EXPECT_EQ(r.settings.startModifiers, 7);
  EXPECT_EQ(r.settings.logSecondMin, -4);
  EXPECT_EQ(r.settings.smTimeoutRetry, 0);
}

TEST(SettingsRead, BinaryJunkIsHarmless) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk.push_back(static_cast<char>((i * 131 + 7) % 256));
  junk += std::string("\0LOG_SECOND_MIN=9\r\n", 19);
  junk += "LOG_SECOND_MIN=12\r\n";
  const auto r = Read(junk);
  EXPECT_EQ(r.settings.logSecondMin, 12);
}

TEST(SettingsWrite, DefaultsGiveExactlyThreeLines) {
  EXPECT_EQ(FormatSettingsText(Settings{}),
            "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSM_TIMEOUT_RETRY=40\r\n");
}

TEST(SettingsWrite, HotKeysArePairsInTheirFixedPlace) {
  Settings s;
  s.startKey = 65;
  s.startModifiers = 1;
  s.statusKey = 83;
  s.startLocKey = 0;
  s.startLocModifiers = 3;  // a "None" hot key leaves both lines out
  EXPECT_EQ(FormatSettingsText(s),
            "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSTART_HK=65\r\nSTART_HKCS=1\r\n"
            "STATUS_HK=83\r\nSTATUS_HKCS=0\r\nSM_TIMEOUT_RETRY=40\r\n");
  s.startLocKey = 55;
  s.startLocModifiers = 2;
  s.syncIntervalMs = 5000;
  s.logSecondMin = -1;
  EXPECT_EQ(FormatSettingsText(s),
            "SYNC_INTERVAL=5\r\nLOG_SECOND_MIN=-1\r\nSTART_HK=65\r\nSTART_HKCS=1\r\n"
            "START_LOC_HK=55\r\nSTART_LOC_HKCS=2\r\nSTATUS_HK=83\r\nSTATUS_HKCS=0\r\n"
            "SM_TIMEOUT_RETRY=40\r\n");
}

TEST(SettingsWrite, WhatIsWrittenReadsBackTheSame) {
  Settings s;
  s.syncIntervalMs = 60000;
  s.logSecondMin = 600;
  s.smTimeoutRetry = -3;
  s.startKey = 90;
  s.startModifiers = 3;
  s.startLocKey = 48;
  s.startLocModifiers = 0;
  s.statusKey = 57;
  s.statusModifiers = 2;
  const auto r = ReadSettingsText(FormatSettingsText(s), Settings{}, ".");
  ASSERT_EQ(r.syncIntervalSeconds, 60);
  Settings back = r.settings;
  back.syncIntervalMs = *r.syncIntervalSeconds * 1000;
  EXPECT_EQ(back, s);
}

}  // namespace
}  // namespace horavia
