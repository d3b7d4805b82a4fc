#include "windows/settings_dialog_model.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "settings/hot_key_list.h"

namespace horavia {
namespace {

constexpr int kNoneItem = 0;  // index of "None" in a hot-key list

class SettingsWindowTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  Settings settings;
  bool on = false;
  WindowTimer syncTimer{world.timers, TimerId::Sync, 20000, true};
  std::string buttonSound = world.PathOf("\\sound_button.wav");

  SettingsWindowTest() { world.files.files[buttonSound] = "RIFF"; }

  // A fresh window, as every opening builds one.
  SettingsDialogModel& Open() {
    form.reset();
    form = std::make_unique<SettingsDialogModel>(settings, syncTimer, on, world.platform);
    form->Form_Load();
    world.sound.played.clear();
    world.timers.events.clear();
    return *form;
  }
  const SettingsControls& C() const { return form->Controls(); }

  std::unique_ptr<SettingsDialogModel> form;
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
  for (const ComboBoxState* list : {&C().cboStart, &C().cboStartLoc, &C().cboStatus}) {
    EXPECT_EQ(list->items, HotKeyItems());
    EXPECT_EQ(list->Text(), "None");
    EXPECT_TRUE(list->enabled);
  }
  for (const CheckBoxState* box : {&C().chkStartCTRL, &C().chkStartSHIFT, &C().chkStartLocCTRL,
                                   &C().chkStartLocSHIFT, &C().chkStatusCTRL,
                                   &C().chkStatusSHIFT}) {
    EXPECT_FALSE(box->checked) << box->caption;
  }
  ASSERT_EQ(C().cboSyncInterval.items.size(), 60u);
  EXPECT_EQ(C().cboSyncInterval.items.front(), "1");
  EXPECT_EQ(C().cboSyncInterval.items.back(), "60");
  EXPECT_EQ(C().cboSyncInterval.Text(), "20");
  EXPECT_TRUE(C().cboSyncInterval.enabled);
  ASSERT_EQ(C().cboLogSecondMin.items.size(), 600u);
  EXPECT_EQ(C().cboLogSecondMin.items[99], "100");
  EXPECT_EQ(C().cboLogSecondMin.Text(), "60");
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
  EXPECT_EQ(C().cboStart.Text(), "A");
  EXPECT_TRUE(C().chkStartCTRL.checked && C().chkStartSHIFT.checked);
  EXPECT_EQ(C().cboStartLoc.Text(), "0");
  EXPECT_TRUE(C().chkStartLocCTRL.checked);
  EXPECT_FALSE(C().chkStartLocSHIFT.checked);
  EXPECT_EQ(C().cboStatus.Text(), "Z");
  EXPECT_FALSE(C().chkStatusCTRL.checked);
  EXPECT_TRUE(C().chkStatusSHIFT.checked);

  form->cmdOK_Click();
  EXPECT_EQ(settings, before);
  EXPECT_TRUE(form->Closed());
  EXPECT_TRUE(form->Stored());
  EXPECT_EQ(world.sound.played, std::vector<std::string>{buttonSound});
}

TEST_F(SettingsWindowTest, NoneStoresNoKeyAndNoModifiersWhateverTheBoxesShow) {
  settings.startLocKey = 75;
  settings.startLocModifiers = 1;
  Open();
  form->cboStartLoc_Click(kNoneItem);
  form->chkStartLocSHIFT_Click(true);
  EXPECT_TRUE(C().chkStartLocCTRL.checked);
  form->chkStartCTRL_Click(true);  // "None" stays in the Start group too
  form->cmdOK_Click();
  EXPECT_EQ(settings.startLocKey, 0);
  EXPECT_EQ(settings.startLocModifiers, 0);
  EXPECT_EQ(settings.startKey, 0);
  EXPECT_EQ(settings.startModifiers, 0);

  Open();
  EXPECT_EQ(C().cboStartLoc.Text(), "None");
  EXPECT_FALSE(C().chkStartLocCTRL.checked || C().chkStartLocSHIFT.checked);
  EXPECT_FALSE(C().chkStartCTRL.checked);
}

TEST_F(SettingsWindowTest, ChosenKeyAndBoxesAreEncoded) {
  settings.statusKey = 83;
  settings.statusModifiers = 3;
  world.files.files[world.PathOf("\\Horavia.ini")] = "SYNC_INTERVAL=20\r\n";
  const std::map<std::string, std::string> filesBefore = world.files.files;
  Open();
  form->cboStart_Click(HotKeyItemIndex('7'));
  form->chkStartSHIFT_Click(true);
  form->chkStatusSHIFT_Click(false);
  form->cmdOK_Click();
  EXPECT_EQ(settings.startKey, 55);
  EXPECT_EQ(settings.startModifiers, 2);
  EXPECT_EQ(settings.startLocKey, 0);
  EXPECT_EQ(settings.statusKey, 83);
  EXPECT_EQ(settings.statusModifiers, 1);
  EXPECT_EQ(world.files.files, filesBefore) << "the file is written at shut-down only";
}

TEST_F(SettingsWindowTest, WhileOnTheIntervalIsFixedButTheRestIsStored) {
  settings.syncIntervalMs = 15000;
  syncTimer.SetInterval(15000);
  on = true;
  Open();
  EXPECT_FALSE(C().cboSyncInterval.enabled);
  EXPECT_EQ(C().cboSyncInterval.Text(), "15");
  form->cboSyncInterval_Click(4);  // a greyed list cannot be picked from
  EXPECT_EQ(C().cboSyncInterval.Text(), "15");
  on = false;  // switched OFF by a hot key while the window is open
  form->cboStatus_Click(HotKeyItemIndex('S'));
  form->cboLogSecondMin_Click(299);
  form->cmdOK_Click();
  EXPECT_EQ(settings.syncIntervalMs, 15000);
  EXPECT_TRUE(world.timers.events.empty());
  EXPECT_EQ(settings.statusKey, 83);
  EXPECT_EQ(settings.logSecondMin, 300);
}

TEST_F(SettingsWindowTest, ChangedIntervalReachesTheTimerOnceAtOk) {
  Open();
  form->cboSyncInterval_Click(4);
  EXPECT_EQ(settings.syncIntervalMs, 20000) << "nothing is stored before OK";
  EXPECT_TRUE(world.timers.events.empty());
  form->cmdOK_Click();
  EXPECT_EQ(settings.syncIntervalMs, 5000);
  EXPECT_EQ(syncTimer.Interval(), 5000);
  ASSERT_EQ(world.timers.events.size(), 1u);
  EXPECT_EQ(world.timers.events[0].intervalMs, 5000);
  EXPECT_TRUE(world.timers.events[0].armed);

  Open();
  EXPECT_EQ(C().cboSyncInterval.Text(), "5");
  form->cmdOK_Click();
  EXPECT_TRUE(world.timers.events.empty()) << "an unchanged interval leaves the timer running";

  // The interval is compared with the timer as it is at OK.
  Open();
  syncTimer.SetInterval(7000);  // changed under the open window
  world.timers.events.clear();
  form->cmdOK_Click();
  EXPECT_EQ(syncTimer.Interval(), 5000);
  ASSERT_EQ(world.timers.events.size(), 1u);
  EXPECT_EQ(world.timers.events[0].intervalMs, 5000);
}

TEST_F(SettingsWindowTest, CancelEscAndCloseBoxDiscardEverything) {
  settings.startKey = 65;
  const Settings before = settings;
  for (int way = 0; way < 2; ++way) {
    Open();
    form->cboStart_Click(HotKeyItemIndex('B'));
    form->chkStartCTRL_Click(true);
    form->cboSyncInterval_Click(0);
    form->cboLogSecondMin_Click(0);
    if (way == 0) {
      form->cmdCancel_Click();  // Cancel and Esc both arrive here
      EXPECT_EQ(world.sound.played, std::vector<std::string>{buttonSound});
    } else {
      form->Form_QueryUnload();
      EXPECT_TRUE(world.sound.played.empty());
    }
    EXPECT_TRUE(form->Closed());
    EXPECT_FALSE(form->Stored());
    form->cmdOK_Click();  // a late OK after closing stores nothing
    EXPECT_EQ(settings, before) << way;
    EXPECT_TRUE(world.timers.events.empty()) << way;
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
  EXPECT_EQ(C().cboStart.Text(), "#112");
  EXPECT_EQ(C().cboStart.items.size(), static_cast<size_t>(kHotKeyItemCount + 1));
  EXPECT_TRUE(C().chkStartCTRL.checked);
  EXPECT_EQ(C().cboStartLoc.Text(), "B");
  EXPECT_FALSE(C().chkStartLocCTRL.checked || C().chkStartLocSHIFT.checked);
  EXPECT_EQ(C().cboLogSecondMin.Text(), "900");
  EXPECT_EQ(C().cboLogSecondMin.items.size(), 601u);
  form->cmdOK_Click();
  EXPECT_EQ(settings, before);

  // Touching a group stores what it shows; the extra item keeps its code.
  Open();
  form->chkStartSHIFT_Click(true);
  form->chkStartLocCTRL_Click(true);
  form->cboStatus_Click(HotKeyItemIndex('Q'));
  form->cboStatus_Click(kHotKeyItemCount);
  form->cboLogSecondMin_Click(9);
  form->cmdOK_Click();
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
    EXPECT_EQ(C().cboLogSecondMin.Text(), std::to_string(minimum));
    form->cmdOK_Click();
    EXPECT_EQ(settings.logSecondMin, minimum);
  }
}

TEST_F(SettingsWindowTest, HelpTextsInPlainBoxesKeepTheWindowOpen) {
  Open();
  form->cmdHelp1_Click();
  form->cmdHelp2_Click();
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
  EXPECT_FALSE(form->Closed());
}

}  // namespace
}  // namespace horavia
