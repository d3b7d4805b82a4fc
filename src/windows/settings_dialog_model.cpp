#include "windows/settings_dialog_model.h"

#include <charconv>
#include <optional>

#include "settings/hot_key_list.h"
#include "settings/settings_store.h"
#include "windows/sounds.h"

namespace horavia {
namespace {

constexpr const char* kSyncIntervalHelp =
    "Horavia uses this value to know how long to wait between time checks/refreshes.  You can "
    "modify it to 1-60 seconds (Default is 20).  You can't change this value while Horavia is "
    "'ON'.";
constexpr const char* kLogMinimumHelp =
    "Horavia uses this value to know if it should save a 'ChronoLog' entry when HVA goes from an "
    "'ON' to 'OFF' state.  The total elapsed chronometer seconds has to be greater than this "
    "value for a log entry to be made (Default is 60).";

// Where each hot-key group keeps its two settings.
struct GroupSettings {
  int32_t Settings::*key;
  int32_t Settings::*modifiers;
};

constexpr std::array<GroupSettings, 3> kGroupSettings{{
    {&Settings::startKey, &Settings::startModifiers},
    {&Settings::startLocKey, &Settings::startLocModifiers},
    {&Settings::statusKey, &Settings::statusModifiers},
}};

constexpr std::array<HotKeyGroup, 3> kGroups{HotKeyGroup::Start, HotKeyGroup::StartLocal,
                                             HotKeyGroup::Status};

const GroupSettings& SettingsOf(HotKeyGroup group) {
  return kGroupSettings[static_cast<size_t>(group)];
}

// A value outside the list's range can only come from a hand-edited file; it
// gets an item of its own at the end, so that it shows as it is and OK gives
// it back unchanged.
void FillNumbers(ComboBoxState& list, int32_t first, int32_t last, int32_t value) {
  list.items.clear();
  for (int32_t n = first; n <= last; ++n) list.items.push_back(std::to_string(n));
  if (value >= first && value <= last) {
    list.listIndex = value - first;
  } else {
    list.items.push_back(std::to_string(value));
    list.listIndex = last - first + 1;
  }
}

std::optional<int32_t> NumberOf(const ComboBoxState& list) {
  const std::string text = list.Text();
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

bool IsItem(const ComboBoxState& list, int listIndex) {
  return listIndex >= 0 && listIndex < static_cast<int>(list.items.size());
}

}  // namespace

SettingsDialogModel::SettingsDialogModel(Settings& settings, SyncIntervalHost& host, Platform& os)
    : settings_(settings), host_(host), os_(os), boxes_(&os.boxes) {}

void SettingsDialogModel::Open() {
  for (HotKeyGroup group : kGroups) FillGroup(group);
  FillNumbers(controls_.syncIntervalList, 1, 60, settings_.syncIntervalMs / 1000);
  // The only guard of the rule that the interval cannot change while ON; the
  // list keeps this state while the window stays open.
  controls_.syncIntervalList.enabled = !host_.TimekeeperOn();
  FillNumbers(controls_.logMinimumList, 1, 600, settings_.logSecondMin);
}

void SettingsDialogModel::FillGroup(HotKeyGroup group) {
  const GroupSettings& stored = SettingsOf(group);
  GroupMemo& memo = MemoOf(group);
  memo = {settings_.*stored.key, settings_.*stored.modifiers, false};

  HotKeyControls& controls = controls_.HotKeys(group);
  ComboBoxState& list = controls.keyList;
  list.items = HotKeyItems();
  list.listIndex = HotKeyItemIndex(memo.keyAtOpen);
  if (list.listIndex < 0) {
    list.items.push_back(UnlistedKeyItem(memo.keyAtOpen));
    list.listIndex = kHotKeyItemCount;
  }
  controls.ctrlBox.checked = HasCtrl(memo.modifiersAtOpen);
  controls.shiftBox.checked = HasShift(memo.modifiersAtOpen);
}

void SettingsDialogModel::Ok() {
  if (closed_) return;
  PlayWav(os_, kSoundButton);
  for (const GroupSettings& stored : kGroupSettings) {
    settings_.*stored.key = 0;
    settings_.*stored.modifiers = 0;
  }
  for (HotKeyGroup group : kGroups) StoreGroup(group);
  if (const std::optional<int32_t> seconds = NumberOf(controls_.syncIntervalList)) {
    settings_.syncIntervalMs = *seconds * 1000;
  }
  // Giving the running timer its interval again would restart its period,
  // so an unchanged interval leaves it alone.
  if (host_.SyncIntervalMs() != settings_.syncIntervalMs) {
    host_.SetSyncIntervalMs(settings_.syncIntervalMs);
  }
  if (const std::optional<int32_t> minimum = NumberOf(controls_.logMinimumList)) {
    settings_.logSecondMin = *minimum;
  }
  stored_ = true;
  closed_ = true;
}

void SettingsDialogModel::StoreGroup(HotKeyGroup group) {
  const GroupSettings& stored = SettingsOf(group);
  const GroupMemo& memo = MemoOf(group);
  const HotKeyControls& controls = controls_.HotKeys(group);

  int32_t key = memo.keyAtOpen;
  int32_t modifiers = memo.modifiersAtOpen;
  if (memo.touched) {
    // The extra item stands for the hand-edited key code it shows.
    if (controls.keyList.listIndex < kHotKeyItemCount) key = KeyCodeOfItem(controls.keyList.Text());
    modifiers = ModifierCode(controls.ctrlBox.checked, controls.shiftBox.checked);
  }
  // "None" means no hot key, whatever the boxes show.
  if (key == 0) return;
  settings_.*stored.key = key;
  settings_.*stored.modifiers = modifiers;
}

void SettingsDialogModel::Cancel() {
  if (closed_) return;
  PlayWav(os_, kSoundButton);
  closed_ = true;
}

void SettingsDialogModel::CloseFromTitleBar() { closed_ = true; }

void SettingsDialogModel::ShowSyncIntervalHelp() {
  if (closed_) return;
  boxes_->Show(kSyncIntervalHelp, kProgramTitle, BoxKind::Information);
}

void SettingsDialogModel::ShowLogMinimumHelp() {
  if (closed_) return;
  boxes_->Show(kLogMinimumHelp, kProgramTitle, BoxKind::Information);
}

void SettingsDialogModel::SelectHotKey(HotKeyGroup group, int listIndex) {
  ComboBoxState& list = controls_.HotKeys(group).keyList;
  if (closed_ || !IsItem(list, listIndex) || list.listIndex == listIndex) return;
  list.listIndex = listIndex;
  MemoOf(group).touched = true;
}

void SettingsDialogModel::CheckCtrl(HotKeyGroup group, bool checked) {
  CheckModifier(group, &HotKeyControls::ctrlBox, checked);
}

void SettingsDialogModel::CheckShift(HotKeyGroup group, bool checked) {
  CheckModifier(group, &HotKeyControls::shiftBox, checked);
}

void SettingsDialogModel::CheckModifier(HotKeyGroup group, CheckBoxState HotKeyControls::*box,
                                        bool checked) {
  CheckBoxState& state = controls_.HotKeys(group).*box;
  if (closed_ || state.checked == checked) return;
  state.checked = checked;
  MemoOf(group).touched = true;
}

void SettingsDialogModel::SelectSyncInterval(int listIndex) {
  SelectNumber(controls_.syncIntervalList, listIndex);
}

void SettingsDialogModel::SelectLogMinimum(int listIndex) {
  SelectNumber(controls_.logMinimumList, listIndex);
}

void SettingsDialogModel::SelectNumber(ComboBoxState& list, int listIndex) {
  if (closed_ || !list.enabled || !IsItem(list, listIndex)) return;
  list.listIndex = listIndex;
}

}  // namespace horavia
