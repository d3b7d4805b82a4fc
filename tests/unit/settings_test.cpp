// Horavia.ini: its numbers, its lines, loading and saving, and the hot-key
// lists of the settings window.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "fakes/fake_platform.h"
#include "settings/hot_key_list.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"

namespace horavia {
namespace {

SettingsReadResult Read(std::string_view text) { return ReadSettingsText(text, Settings{}, "."); }

// Another decimal separator than "." is in the loading test below.
TEST(SettingsFileTest, NumbersTakeBlanksSignsAFractionAndRoundHalvesToEven) {
  const std::pair<const char*, std::optional<int32_t>> cases[] = {
      {" 30 ", 30},    {"\t-5", -5},   {"+7", 7},         {"2.5", 2},          {"3.5", 4},
      {"0.4", 0},      {"2.51", 3},    {"2.500", 2},      {"-2.5", -2},        {"-3.5", -4},
      {".5", 0},       {"2147483647", 2147483647},        {"-2147483648", -2147483647 - 1},
      {"", {}},        {"   ", {}},    {"abc", {}},       {"1 2", {}},         {"2147483648", {}},
      {"-2147483649", {}},             {"99999999999999999999999999", {}}, {"-", {}},
      {".", {}},       {"0x10", {}},   {"12a", {}},       {"3,5", {}}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseSettingsNumber(text, "."), value) << text;
}

TEST(SettingsFileTest, KeysAreWholeAndCaseSensitiveAndTheLastGoodLineWins) {
  const auto r = Read(
      "SYNC_INTERVAL =40\r\nsync_interval=50\r\nLOG_SECOND_MIN=10=20\r\nSTART_HK=65\r\n"
      "No equals sign\r\n=\r\nSTATUS_HK= 83 \r\nSM_TIMEOUT_RETRY=3\nSM_TIMEOUT_RETRY=lots\n"
      "START_LOC_HK=300\nSTART_LOC_HKCS=7\nSTART_LOC_HKCS=5\n");
  EXPECT_FALSE(r.syncIntervalSeconds.has_value());
  // A value that is not a number keeps the field; one out of range is stored as it is.
  EXPECT_EQ(r.settings, (Settings{20000, 60, 3, 65, 0, 300, 5, 83, 0}));
}

TEST(SettingsFileTest, WritingGivesFixedLinesAndReadsBackTheSame) {
  Settings s{20000, 60, 40, 65, 1, 0, 3, 83, 0};  // a "None" hot key leaves both lines out
  EXPECT_EQ(FormatSettingsText(s),
            "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSTART_HK=65\r\nSTART_HKCS=1\r\n"
            "STATUS_HK=83\r\nSTATUS_HKCS=0\r\nSM_TIMEOUT_RETRY=40\r\n");
  s = {60000, 600, -3, 90, 3, 1, 2, 57, 2};
  const auto r = Read(FormatSettingsText(s));
  ASSERT_EQ(r.syncIntervalSeconds, 60);
  Settings back = r.settings;
  back.syncIntervalMs = *r.syncIntervalSeconds * 1000;
  EXPECT_EQ(back, s);
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  Settings settings;
  std::string ini = world.PathOf("\\Horavia.ini");

  bool LoadFrom(const std::string& text) {
    world.files.files[ini] = text;
    return LoadSettings(settings, world.platform);
  }
};

TEST_F(SettingsStoreTest, LoadingResetsThreeSettingsAndChecksTheInterval) {
  settings = {7000, 1, 2, 0, 0, 0, 0, 83, 0};
  EXPECT_TRUE(LoadSettings(settings, world.platform)) << "no file";
  EXPECT_EQ(settings, (Settings{20000, 60, 40, 0, 0, 0, 0, 83, 0})) << "hot keys are not reset";
  // After "SYNC_INTERVAL=": the interval loaded, and the boxes shown so far (one for each value
  // out of range).
  const std::tuple<const char*, int32_t, size_t> cases[] = {
      {"60", 60000, 0}, {"2.5", 2000, 0}, {"90\r\nSYNC_INTERVAL=30", 30000, 0},
      {"banana", 20000, 0}, {"\r\nHELLO\r\n\x01\xff", 20000, 0}, {"90", 20000, 1}, {"0", 20000, 2},
      {"-5", 20000, 3}, {"0.4", 20000, 4}, {"61", 20000, 5}, {"1", 1000, 5}};
  for (const auto& [value, interval, boxes] : cases) {
    EXPECT_TRUE(LoadFrom("SYNC_INTERVAL=" + std::string(value))) << value;
    EXPECT_EQ(settings.syncIntervalMs, interval) << value;
    EXPECT_EQ(world.boxes.shown.size(), boxes) << value;
  }
  const auto& last = world.boxes.shown.at(4);
  EXPECT_EQ(last.text + (last.kind == BoxKind::Information ? "" : " (not plain)"),
            "Invalid SYNC_INTERVAL value found in Horavia.ini.  Valid values are 1-60 (seconds).  "
            "Defaulting to 20.");
  world.regional.decimalSeparator = ",";
  LoadFrom("SYNC_INTERVAL=3,5\r\nLOG_SECOND_MIN=2.5\r\n");
  EXPECT_EQ(settings.syncIntervalMs, 4000) << "the user's decimal separator";
  EXPECT_EQ(settings.logSecondMin, 60);
}

TEST_F(SettingsStoreTest, SavingReplacesTheFileOrKeepsItAndSaysSoAndAnUnreadFileIsLeftAlone) {
  const std::string saved = "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=99\r\nSM_TIMEOUT_RETRY=40\r\n";
  settings.logSecondMin = 99;
  world.files.files[ini] = "OLD=1\r\n";
  SaveSettings(settings, world.platform);
  EXPECT_EQ(world.files.files[ini], saved);
  world.files.readOnly.insert(ini);
  settings.logSecondMin = 5;
  SaveSettings(settings, world.platform);
  EXPECT_EQ(world.files.files[ini], saved);
  // A file another program held at start-up is there but unread: the
  // defaults of the run are not written over it.
  world.files.readOnly.clear();
  world.files.locked.insert(ini);
  EXPECT_FALSE(LoadSettings(settings, world.platform));
  EXPECT_EQ(settings, Settings{});
  world.files.locked.clear();
  SaveSettings(settings, world.platform, true);
  EXPECT_EQ(world.files.files[ini], saved);
  ASSERT_EQ(world.boxes.shown.size(), 2u);
  EXPECT_EQ(world.boxes.shown[0].text, "Could not write C:\\Fly\\Horavia\\Horavia.ini file.");
  EXPECT_EQ(world.boxes.shown[1].text,
            "Could not read C:\\Fly\\Horavia\\Horavia.ini file at start-up.  It is left as it is; the "
            "settings of this run are not saved.");
  EXPECT_TRUE(world.boxes.shown[0].kind == BoxKind::Warning && world.boxes.shown[1].kind == BoxKind::Warning);
  world.files.files.erase(ini);
  world.files.folders.insert(ini);
  EXPECT_TRUE(LoadSettings(settings, world.platform)) << "a folder reads as no file";
}

// The modifier codes are read and made by the settings window's tests.
TEST(HotKeyListTest, ItemsCodesAndIndexes) {
  std::string items;
  int index = 0;
  for (const std::string& item : HotKeyItems()) {
    items += item;
    EXPECT_EQ(HotKeyItemIndex(KeyCodeOfItem(item)), index++) << item;
  }
  EXPECT_EQ(items, "None0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  for (int32_t unlisted : {-1, 1, 47, 58, 64, 91, 112}) EXPECT_EQ(HotKeyItemIndex(unlisted), -1);
}

}  // namespace
}  // namespace horavia
