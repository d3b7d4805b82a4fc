#include "windows/settings_dialog_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "settings/hot_key_list.h"

namespace horavia {
namespace {

// The main window's ON state and sync timer, as the settings window sees
// them: the intervals it was given are kept.
class FakeSyncIntervalHost final : public SyncIntervalHost {
 public:
  bool TimekeeperOn() const override { return on; }
  int32_t SyncIntervalMs() const override { return intervalMs; }
  void SetSyncIntervalMs(int32_t interval) override {
    intervalMs = interval;
    intervalsSet.push_back(interval);
  }

  bool on = false;
  int32_t intervalMs = 20000;
  std::vector<int32_t> intervalsSet;
};

class SettingsWindowTest : public ::testing::Test {
 public:
  fakes::FakeWorld world;
  Settings settings;
  FakeSyncIntervalHost host;
  std::unique_ptr<SettingsDialogModel> model;

  SettingsWindowTest() { world.files.files[world.PathOf("\\sound_button.wav")] = "RIFF"; }

  // A fresh window, as every opening builds one.
  SettingsDialogModel& Open() {
    model = std::make_unique<SettingsDialogModel>(settings, host, world.platform);
    model->Open();
    world.sound.played.clear();
    host.intervalsSet.clear();
    return *model;
  }
  const SettingsDialogControls& C() const { return model->Controls(); }
  // A group as shown: its key's item, then "C" and "S" for the boxes checked.
  std::string Shown(const HotKeyControls& group) const {
    return group.keyList.Text() + (group.ctrlBox.checked ? " C" : "") + (group.shiftBox.checked ? " S" : "");
  }
};

TEST_F(SettingsWindowTest, OpeningShowsTheSettingsAndOkClosesTheWindowAsStored) {
  Open();
  EXPECT_EQ(Shown(C().start) + Shown(C().startLocal) + Shown(C().status), "NoneNoneNone");
  EXPECT_TRUE(C().syncIntervalList.enabled && C().syncIntervalList.items.size() == 60);
  EXPECT_EQ(C().syncIntervalList.items.back() + " " + C().syncIntervalList.Text(), "60 20");

  settings = {20000, 60, 40, 65, 3, 48, 1, 90, 2};
  Open();
  EXPECT_EQ(Shown(C().start) + ", " + Shown(C().startLocal) + ", " + Shown(C().status), "A C S, 0 C, Z S");
  model->Ok();
  EXPECT_TRUE(model->Closed() && model->Stored() && world.sound.played.size() == 1);
  EXPECT_TRUE(host.intervalsSet.empty()) << "an unchanged interval leaves the timer running";
}

TEST_F(SettingsWindowTest, ChosenKeysAndBoxesAreEncodedAndNoneStoresNoKey) {
  settings = {20000, 60, 40, 0, 0, 75, 1, 83, 3};
  Open();
  model->SelectHotKey(HotKeyGroup::Start, HotKeyItemIndex('7'));
  model->CheckShift(HotKeyGroup::Start, true);
  model->SelectHotKey(HotKeyGroup::StartLocal, 0);
  model->CheckShift(HotKeyGroup::StartLocal, true);
  model->CheckShift(HotKeyGroup::Status, false);
  model->Ok();
  EXPECT_EQ(settings, (Settings{20000, 60, 40, 55, 2, 0, 0, 83, 1}));
  EXPECT_EQ(world.files.files.size(), 1u) << "the file is written at shut-down only";
}

TEST_F(SettingsWindowTest, TheIntervalIsFixedWhileOnAndReachesTheTimerOnceAtOk) {
  settings.syncIntervalMs = host.intervalMs = 15000;
  host.on = true;
  Open();
  EXPECT_FALSE(C().syncIntervalList.enabled);
  model->SelectSyncInterval(4);  // a greyed list cannot be picked from
  host.on = false;  // switched OFF by a hot key while the window is open
  model->SelectLogMinimum(299);
  model->Ok();
  EXPECT_EQ(std::pair(settings.syncIntervalMs, settings.logSecondMin), std::pair(15000, 300));
  EXPECT_TRUE(host.intervalsSet.empty());

  Open();
  model->SelectSyncInterval(4);
  EXPECT_EQ(settings.syncIntervalMs, 15000) << "nothing is stored before OK";
  host.intervalMs = 7000;  // compared with the timer as it is at OK
  model->Ok();
  EXPECT_EQ(std::pair(settings.syncIntervalMs, host.intervalsSet), std::pair(5000, std::vector<int32_t>{5000}));
}

TEST_F(SettingsWindowTest, HandEditedValuesSurviveAnUntouchedGroup) {
  settings = {20000, 900, 40, 112, 1, 66, 6, 97, 9};  // F1, B, numeric-pad 1
  const Settings before = settings;
  Open();
  EXPECT_EQ(Shown(C().start) + ", " + Shown(C().startLocal) + ", " + C().logMinimumList.Text(), "#112 C, B, 900");
  EXPECT_EQ(C().logMinimumList.items.size(), 601u);
  model->Ok();
  EXPECT_EQ(settings, before);
  // Touching a group stores what it shows; the extra item keeps its code.
  Open();
  model->CheckShift(HotKeyGroup::Start, true);
  model->CheckCtrl(HotKeyGroup::StartLocal, true);
  model->SelectHotKey(HotKeyGroup::Status, HotKeyItemIndex('Q'));
  model->SelectHotKey(HotKeyGroup::Status, kHotKeyItemCount);
  model->SelectLogMinimum(9);
  model->Ok();
  EXPECT_EQ(settings, (Settings{20000, 10, 40, 112, 3, 66, 1, 97, 0}));
}

}  // namespace
}  // namespace horavia
