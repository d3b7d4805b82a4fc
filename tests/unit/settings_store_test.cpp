#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_platform.h"

namespace horavia {
namespace {

constexpr const char* kInvalidInterval =
    "Invalid SYNC_INTERVAL value found in Horavia.ini.  Valid values are 1-60 (seconds).  "
    "Defaulting to 20.";

class SettingsStoreTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  Settings settings;
  std::string ini = world.PathOf("\\Horavia.ini");

  void LoadFrom(const std::string& text) {
    world.files.files[ini] = text;
    LoadSettings(settings, world.platform);
  }
};

TEST_F(SettingsStoreTest, NoFileEmptyFileOrJunkGiveDefaultsSilently) {
  LoadSettings(settings, world.platform);
  EXPECT_EQ(settings, Settings{});
  LoadFrom("");
  EXPECT_EQ(settings, Settings{});
  LoadFrom("HELLO\r\nWORLD=1\r\n\x01\x02\xff\r\n");
  EXPECT_EQ(settings, Settings{});
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(SettingsStoreTest, ThreeSettingsAreResetBeforeReadingButHotKeysAreNot) {
  settings.syncIntervalMs = 7000;
  settings.logSecondMin = 1;
  settings.smTimeoutRetry = 2;
  settings.statusKey = 83;
  LoadFrom("");
  EXPECT_EQ(settings.syncIntervalMs, 20000);
  EXPECT_EQ(settings.logSecondMin, 60);
  EXPECT_EQ(settings.smTimeoutRetry, 40);
  EXPECT_EQ(settings.statusKey, 83);
}

TEST_F(SettingsStoreTest, SyncIntervalOutsideOneToSixtyIsReportedOnce) {
  for (const char* bad : {"90", "0", "-5", "0.4", "61"}) {
    world.boxes.shown.clear();
    LoadFrom(std::string("SYNC_INTERVAL=") + bad + "\r\n");
    EXPECT_EQ(settings.syncIntervalMs, 20000) << bad;
    ASSERT_EQ(world.boxes.shown.size(), 1u) << bad;
    EXPECT_EQ(world.boxes.shown[0].text, kInvalidInterval);
    EXPECT_EQ(world.boxes.shown[0].title, "Horavia");
    EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Information);
  }
}

TEST_F(SettingsStoreTest, SyncIntervalInRange) {
  LoadFrom("SYNC_INTERVAL=60\r\n");
  EXPECT_EQ(settings.syncIntervalMs, 60000);
  LoadFrom("SYNC_INTERVAL= 30 \r\n");
  EXPECT_EQ(settings.syncIntervalMs, 30000);
  LoadFrom("SYNC_INTERVAL=2.5\r\n");
  EXPECT_EQ(settings.syncIntervalMs, 2000);
  LoadFrom("SYNC_INTERVAL=3.5\r\n");
  EXPECT_EQ(settings.syncIntervalMs, 4000);
  LoadFrom("SYNC_INTERVAL=90\r\nSYNC_INTERVAL=30\r\n");
  EXPECT_EQ(settings.syncIntervalMs, 30000);
  LoadFrom("SYNC_INTERVAL=banana\r\n");
  EXPECT_EQ(settings.syncIntervalMs, 20000);
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(SettingsStoreTest, UsesTheUsersDecimalSeparator) {
  world.regional.decimalSeparator = ",";
  LoadFrom("SYNC_INTERVAL=3,5\r\nLOG_SECOND_MIN=2.5\r\n");
  EXPECT_EQ(settings.syncIntervalMs, 4000);
  EXPECT_EQ(settings.logSecondMin, 60);
}

TEST_F(SettingsStoreTest, AFolderOrALockedFileReadsAsDefaults) {
  world.files.folders.insert(ini);
  LoadSettings(settings, world.platform);
  EXPECT_EQ(settings, Settings{});
  world.files.folders.erase(ini);
  world.files.locked.insert(ini);
  LoadFrom("SYNC_INTERVAL=5\r\n");
  EXPECT_EQ(settings, Settings{});
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(SettingsStoreTest, AFileLockedAtStartUpIsNotReplacedAtShutDown) {
  const std::string users = "; mine\r\nSTART_HK=65\r\nSTART_HKCS=1\r\n";
  world.files.files[ini] = users;
  world.files.locked.insert(ini);
  EXPECT_FALSE(LoadSettings(settings, world.platform)) << "there, but not readable";
  EXPECT_EQ(settings, Settings{});
  EXPECT_TRUE(world.boxes.shown.empty()) << "the defaults stand silently";

  // The other program has let go by the time Horavia closes.
  world.files.locked.clear();
  SaveSettings(settings, world.platform, true);
  EXPECT_EQ(world.files.files.at(ini), users);
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].text,
            "Could not read C:\\Fly\\Horavia\\Horavia.ini file at start-up.  It is left as it "
            "is; the settings of this run are not saved.");
  EXPECT_EQ(world.boxes.shown[0].title, "Horavia");
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Warning);

  // No file, a folder, or a file that was read: written (or tried) as ever.
  world.files.files.erase(ini);
  EXPECT_TRUE(LoadSettings(settings, world.platform));
  world.files.folders.insert(ini);
  EXPECT_TRUE(LoadSettings(settings, world.platform));
  world.files.folders.erase(ini);
  world.files.files[ini] = users;
  EXPECT_TRUE(LoadSettings(settings, world.platform));
}

TEST_F(SettingsStoreTest, AFiftyMegabyteFileIsReadToItsLastLine) {
  std::string big(50u << 20, 'x');
  for (size_t i = 4096; i < big.size(); i += 4096) big[i] = '\n';
  big += "\r\nLOG_SECOND_MIN=123\r\n";
  LoadFrom(big);
  EXPECT_EQ(settings.logSecondMin, 123);
}

TEST_F(SettingsStoreTest, SaveWritesTheWholeFileExactly) {
  settings.startKey = 65;
  settings.startModifiers = 1;
  settings.statusKey = 83;
  world.files.files[ini] = "OLD=1\r\nSYNC_INTERVAL=5\r\n";
  SaveSettings(settings, world.platform);
  EXPECT_EQ(world.files.files[ini],
            "SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSTART_HK=65\r\nSTART_HKCS=1\r\n"
            "STATUS_HK=83\r\nSTATUS_HKCS=0\r\nSM_TIMEOUT_RETRY=40\r\n");
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(SettingsStoreTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
  world.files.files[ini] = "SYNC_INTERVAL=5\r\n";
  world.files.readOnly.insert(ini);
  settings.logSecondMin = 99;
  SaveSettings(settings, world.platform);
  EXPECT_EQ(world.files.files[ini], "SYNC_INTERVAL=5\r\n");
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].text, "Could not write C:\\Fly\\Horavia\\Horavia.ini file.");
  EXPECT_EQ(world.boxes.shown[0].title, "Horavia");
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Warning);

  // A folder in the file's place is left alone, with the same message.
  world.files.files.erase(ini);
  world.files.folders.insert(ini);
  SaveSettings(settings, world.platform);
  EXPECT_EQ(world.boxes.shown.size(), 2u);
  EXPECT_EQ(world.files.folders.count(ini), 1u);
  EXPECT_EQ(world.files.files.count(ini), 0u);
}

}  // namespace
}  // namespace horavia
