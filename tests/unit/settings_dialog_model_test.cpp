#include "windows/settings_dialog_model.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "settings/hot_key_list.h"

namespace horavia {
namespace {

constexpr int kNoneItem = 0;  // index of "None" in a hot-key list

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
  std::string buttonSound = world.PathOf("\\sound_button.wav");

  SettingsWindowTest() { world.files.files[buttonSound] = "RIFF"; }

  // A fresh window, as every opening builds one.
  SettingsDialogModel& Open() {
    model.reset();
    model = std::make_unique<SettingsDialogModel>(settings, host, world.platform);
    model->Open();
    world.sound.played.clear();
    host.intervalsSet.clear();
    return *model;
  }
  const SettingsDialogControls& C() const { return model->Controls(); }

  std::unique_ptr<SettingsDialogModel> model;
};

TEST(HotKeyListTest, ItemsCodesAndIndexesAgree) {
  const std::vector<std::string> items = HotKeyItems();
  ASSERT_EQ(items.size(), static_cast<size_t>(kHotKeyItemCount));
  EXPECT_EQ(items.front(), "None");
  EXPECT_EQ(items[1], "0");
  EXPECT_EQ(items[10], "9");
  EXPECT_EQ(items[11], "A");
  EXPECT_EQ(items.back(), "Z");
  for (int i = 0; i < kHotKeyItemCount; ++i) {
    const int32_t code = KeyCodeOfItem(items[static_cast<size_t>(i)]);
    EXPECT_EQ(HotKeyItemIndex(code), i) << items[static_cast<size_t>(i)];
  }
  EXPECT_EQ(KeyCodeOfItem("7"), 55);
  EXPECT_EQ(KeyCodeOfItem("Z"), 90);
  for (int32_t unlisted : {-1, 1, 47, 58, 64, 91, 97, 112, 255}) {
    EXPECT_EQ(HotKeyItemIndex(unlisted), -1) << unlisted;
  }
}

TEST(HotKeyListTest, ModifierEncoding) {
  EXPECT_EQ(ModifierCode(false, false), 0);
  EXPECT_EQ(ModifierCode(true, false), 1);
  EXPECT_EQ(ModifierCode(false, true), 2);
  EXPECT_EQ(ModifierCode(true, true), 3);
  for (int32_t code : {0, 1, 2, 3}) {
    EXPECT_EQ(ModifierCode(HasCtrl(code), HasShift(code)), code);
  }
  for (int32_t other : {-1, 4, 5, 7, 100}) {
    EXPECT_FALSE(HasCtrl(other) || HasShift(other)) << other;
  }
}

TEST_F(SettingsWindowTest, OpeningWithDefaults) {
  Open();
  for (const ComboBoxState* list : {&C().start.keyList, &C().startLocal.keyList, &C().status.keyList}) {
    EXPECT_EQ(list->items, HotKeyItems());
    EXPECT_EQ(list->Text(), "None");
    EXPECT_TRUE(list->enabled);
  }
  for (const CheckBoxState* box : {&C().start.ctrlBox, &C().start.shiftBox, &C().startLocal.ctrlBox,
                                   &C().startLocal.shiftBox, &C().status.ctrlBox,
                                   &C().status.shiftBox}) {
    EXPECT_FALSE(box->checked) << box->caption;
  }
  ASSERT_EQ(C().syncIntervalList.items.size(), 60u);
  EXPECT_EQ(C().syncIntervalList.items.front(), "1");
  EXPECT_EQ(C().syncIntervalList.items.back(), "60");
  EXPECT_EQ(C().syncIntervalList.Text(), "20");
  EXPECT_TRUE(C().syncIntervalList.enabled);
  ASSERT_EQ(C().logMinimumList.items.size(), 600u);
  EXPECT_EQ(C().logMinimumList.items[99], "100");
  EXPECT_EQ(C().logMinimumList.Text(), "60");
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(SettingsWindowTest, GroupRoundTripAndEachGroupItsOwnFields) {
  settings.startKey = 65;
  settings.startModifiers = 3;
  settings.startLocKey = 48;
  settings.startLocModifiers = 1;
  settings.statusKey = 90;
  settings.statusModifiers = 2;
  const Settings before = settings;
  Open();
  EXPECT_EQ(C().start.keyList.Text(), "A");
  EXPECT_TRUE(C().start.ctrlBox.checked && C().start.shiftBox.checked);
  EXPECT_EQ(C().startLocal.keyList.Text(), "0");
  EXPECT_TRUE(C().startLocal.ctrlBox.checked);
  EXPECT_FALSE(C().startLocal.shiftBox.checked);
  EXPECT_EQ(C().status.keyList.Text(), "Z");
  EXPECT_FALSE(C().status.ctrlBox.checked);
  EXPECT_TRUE(C().status.shiftBox.checked);

  model->Ok();
  EXPECT_EQ(settings, before);
  EXPECT_TRUE(model->Closed());
  EXPECT_TRUE(model->Stored());
  EXPECT_EQ(world.sound.played, std::vector<std::string>{buttonSound});
}

TEST_F(SettingsWindowTest, NoneStoresNoKeyAndNoModifiersWhateverTheBoxesShow) {
  settings.startLocKey = 75;
  settings.startLocModifiers = 1;
  Open();
  model->SelectHotKey(HotKeyGroup::StartLocal, kNoneItem);
  model->CheckShift(HotKeyGroup::StartLocal, true);
  EXPECT_TRUE(C().startLocal.ctrlBox.checked);
  model->CheckCtrl(HotKeyGroup::Start, true);  // "None" stays in the Start group too
  model->Ok();
  EXPECT_EQ(settings.startLocKey, 0);
  EXPECT_EQ(settings.startLocModifiers, 0);
  EXPECT_EQ(settings.startKey, 0);
  EXPECT_EQ(settings.startModifiers, 0);

  Open();
  EXPECT_EQ(C().startLocal.keyList.Text(), "None");
  EXPECT_FALSE(C().startLocal.ctrlBox.checked || C().startLocal.shiftBox.checked);
  EXPECT_FALSE(C().start.ctrlBox.checked);
}

TEST_F(SettingsWindowTest, ChosenKeyAndBoxesAreEncoded) {
  settings.statusKey = 83;
  settings.statusModifiers = 3;
  world.files.files[world.PathOf("\\Horavia.ini")] = "SYNC_INTERVAL=20\r\n";
  const std::map<std::string, std::string> filesBefore = world.files.files;
  Open();
  model->SelectHotKey(HotKeyGroup::Start, HotKeyItemIndex('7'));
  model->CheckShift(HotKeyGroup::Start, true);
  model->CheckShift(HotKeyGroup::Status, false);
  model->Ok();
  EXPECT_EQ(settings.startKey, 55);
  EXPECT_EQ(settings.startModifiers, 2);
  EXPECT_EQ(settings.startLocKey, 0);
  EXPECT_EQ(settings.statusKey, 83);
  EXPECT_EQ(settings.statusModifiers, 1);
  EXPECT_EQ(world.files.files, filesBefore) << "the file is written at shut-down only";
}

TEST_F(SettingsWindowTest, WhileOnTheIntervalIsFixedButTheRestIsStored) {
  settings.syncIntervalMs = 15000;
  host.intervalMs = 15000;
  host.on = true;
  Open();
  EXPECT_FALSE(C().syncIntervalList.enabled);
  EXPECT_EQ(C().syncIntervalList.Text(), "15");
  model->SelectSyncInterval(4);  // a greyed list cannot be picked from
  EXPECT_EQ(C().syncIntervalList.Text(), "15");
  host.on = false;  // switched OFF by a hot key while the window is open
  model->SelectHotKey(HotKeyGroup::Status, HotKeyItemIndex('S'));
  model->SelectLogMinimum(299);
  model->Ok();
  EXPECT_EQ(settings.syncIntervalMs, 15000);
  EXPECT_TRUE(host.intervalsSet.empty());
  EXPECT_EQ(settings.statusKey, 83);
  EXPECT_EQ(settings.logSecondMin, 300);
}

TEST_F(SettingsWindowTest, ChangedIntervalReachesTheTimerOnceAtOk) {
  Open();
  model->SelectSyncInterval(4);
  EXPECT_EQ(settings.syncIntervalMs, 20000) << "nothing is stored before OK";
  EXPECT_TRUE(host.intervalsSet.empty());
  model->Ok();
  EXPECT_EQ(settings.syncIntervalMs, 5000);
  EXPECT_EQ(host.intervalsSet, std::vector<int32_t>{5000});

  Open();
  EXPECT_EQ(C().syncIntervalList.Text(), "5");
  model->Ok();
  EXPECT_TRUE(host.intervalsSet.empty()) << "an unchanged interval leaves the timer running";

  // The interval is compared with the timer as it is at OK.
  Open();
  host.intervalMs = 7000;  // changed under the open window
  model->Ok();
  EXPECT_EQ(host.intervalMs, 5000);
  EXPECT_EQ(host.intervalsSet, std::vector<int32_t>{5000});
}

TEST_F(SettingsWindowTest, CancelEscAndCloseBoxDiscardEverything) {
  settings.startKey = 65;
  const Settings before = settings;
  for (int way = 0; way < 2; ++way) {
    Open();
    model->SelectHotKey(HotKeyGroup::Start, HotKeyItemIndex('B'));
    model->CheckCtrl(HotKeyGroup::Start, true);
    model->SelectSyncInterval(0);
    model->SelectLogMinimum(0);
    if (way == 0) {
      model->Cancel();  // Cancel and Esc both arrive here
      EXPECT_EQ(world.sound.played, std::vector<std::string>{buttonSound});
    } else {
      model->CloseFromTitleBar();
      EXPECT_TRUE(world.sound.played.empty());
    }
    EXPECT_TRUE(model->Closed());
    EXPECT_FALSE(model->Stored());
    model->Ok();  // a late OK after closing stores nothing
    EXPECT_EQ(settings, before) << way;
    EXPECT_TRUE(host.intervalsSet.empty()) << way;
  }
}

TEST_F(SettingsWindowTest, HandEditedValuesSurviveAnUntouchedGroup) {
  settings.startKey = 112;  // F1
  settings.startModifiers = 1;
  settings.startLocKey = 66;
  settings.startLocModifiers = 6;
  settings.statusKey = 97;
  settings.statusModifiers = 9;
  settings.logSecondMin = 900;
  const Settings before = settings;
  Open();
  EXPECT_EQ(C().start.keyList.Text(), "#112");
  EXPECT_EQ(C().start.keyList.items.size(), static_cast<size_t>(kHotKeyItemCount + 1));
  EXPECT_TRUE(C().start.ctrlBox.checked);
  EXPECT_EQ(C().startLocal.keyList.Text(), "B");
  EXPECT_FALSE(C().startLocal.ctrlBox.checked || C().startLocal.shiftBox.checked);
  EXPECT_EQ(C().logMinimumList.Text(), "900");
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
  EXPECT_EQ(settings.startKey, 112);
  EXPECT_EQ(settings.startModifiers, 3);
  EXPECT_EQ(settings.startLocKey, 66);
  EXPECT_EQ(settings.startLocModifiers, 1);
  EXPECT_EQ(settings.statusKey, 97);
  EXPECT_EQ(settings.statusModifiers, 0);
  EXPECT_EQ(settings.logSecondMin, 10);

  // A minimum of zero or below shows as it is, too.
  for (int32_t minimum : {0, -5}) {
    settings.logSecondMin = minimum;
    Open();
    EXPECT_EQ(C().logMinimumList.Text(), std::to_string(minimum));
    model->Ok();
    EXPECT_EQ(settings.logSecondMin, minimum);
  }
}

TEST_F(SettingsWindowTest, HelpTextsInPlainBoxesKeepTheWindowOpen) {
  Open();
  model->ShowSyncIntervalHelp();
  model->ShowLogMinimumHelp();
  ASSERT_EQ(world.boxes.shown.size(), 2u);
  EXPECT_EQ(world.boxes.shown[0].text,
            "Horavia uses this value to know how long to wait between time checks/refreshes.  "
            "You can modify it to 1-60 seconds (Default is 20).  You can't change this value "
            "while Horavia is 'ON'.");
  EXPECT_EQ(world.boxes.shown[1].text,
            "Horavia uses this value to know if it should save a 'ChronoLog' entry when HVA goes "
            "from an 'ON' to 'OFF' state.  The total elapsed chronometer seconds has to be "
            "greater than this value for a log entry to be made (Default is 60).");
  for (const auto& box : world.boxes.shown) {
    EXPECT_EQ(box.title, "Horavia");
    EXPECT_EQ(box.kind, BoxKind::Information);
  }
  EXPECT_TRUE(world.sound.played.empty());
  EXPECT_FALSE(model->Closed());
}

}  // namespace
}  // namespace horavia
