#include <gtest/gtest.h>

#include <string>

#include "windows/main_window_model.h"
#include "fakes/fake_platform.h"

namespace horavia {
namespace {

// A settings file that another program held while Horavia started: the run
// goes on with defaults, and closing must not write them over the user's
// own settings once the file is free again.
TEST(MainUnreadSettingsTest, ASettingsFileLockedAtStartUpSurvivesTheShutDown) {
  fakes::FakeWorld world;
  const std::string ini = world.PathOf("\\Horavia.ini");
  const std::string users = "SYNC_INTERVAL=5\r\nSTART_HK=65\r\nSTART_HKCS=1\r\n";
  world.files.files[ini] = users;
  world.files.locked.insert(ini);
  ProcessContext context{world.platform};
  MainWindowModel form{context};
  form.Start();
  EXPECT_EQ(form.SyncTimer().Interval(), 20000) << "the defaults";
  EXPECT_TRUE(world.boxes.shown.empty());

  world.files.locked.clear();
  form.Shutdown();
  EXPECT_EQ(world.files.files.at(ini), users);
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].text.rfind("Could not read C:\\Fly\\Horavia\\Horavia.ini file", 0),
            0u);
}

}  // namespace
}  // namespace horavia
