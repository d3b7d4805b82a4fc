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
constexpr const char* kLogSecondMinHelp =
    "Horavia uses this value to know if it should save a 'ChronoLog' entry when HVA goes from an "
    "'ON' to 'OFF' state.  The total elapsed chronometer seconds has to be greater than this "
    "value for a log entry to be made (Default is 60).";

// Where each hot-key group keeps its controls and its two settings.
struct GroupParts {
  ComboBoxState SettingsControls::*list;
  CheckBoxState SettingsControls::*ctrl;
  CheckBoxState SettingsControls::*shift;
  int32_t Settings::*key;
  int32_t Settings::*modifiers;
};

constexpr std::array<GroupParts, 3> kGroups{{
    {&SettingsControls::cboStart, &SettingsControls::chkStartCTRL,
     &SettingsControls::chkStartSHIFT, &Settings::startKey, &Settings::startModifiers},
    {&SettingsControls::cboStartLoc, &SettingsControls::chkStartLocCTRL,
     &SettingsControls::chkStartLocSHIFT, &Settings::startLocKey, &Settings::startLocModifiers},
    {&SettingsControls::cboStatus, &SettingsControls::chkStatusCTRL,
     &SettingsControls::chkStatusSHIFT, &Settings::statusKey, &Settings::statusModifiers},
}};

const GroupParts& PartsOf(HotKeyGroup group) { return kGroups[static_cast<size_t>(group)]; }

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

SettingsDialogModel::SettingsDialogModel(Settings& settings, WindowTimer& syncTimer, const bool& timekeeperOn,
                         Platform& os)
    : settings_(settings),
      syncTimer_(syncTimer),
      timekeeperOn_(timekeeperOn),
      os_(os),
      boxes_(&os.boxes) {}

void SettingsDialogModel::Form_Load() {
  for (HotKeyGroup group : {HotKeyGroup::Start, HotKeyGroup::StartLoc, HotKeyGroup::Status}) {
    FillGroup(group);
  }
  FillNumbers(controls_.cboSyncInterval, 1, 60, settings_.syncIntervalMs / 1000);
  // The only guard of the rule that the interval cannot change while ON; the
  // list keeps this state while the window stays open.
  controls_.cboSyncInterval.enabled = !timekeeperOn_;
  FillNumbers(controls_.cboLogSecondMin, 1, 600, settings_.logSecondMin);
}

void SettingsDialogModel::FillGroup(HotKeyGroup group) {
  const GroupParts& parts = PartsOf(group);
  GroupMemo& memo = memo_[static_cast<size_t>(group)];
  memo = {settings_.*parts.key, settings_.*parts.modifiers, false};

  ComboBoxState& list = controls_.*parts.list;
  list.items = HotKeyItems();
  list.listIndex = HotKeyItemIndex(memo.keyAtOpen);
  if (list.listIndex < 0) {
    list.items.push_back(UnlistedKeyItem(memo.keyAtOpen));
    list.listIndex = kHotKeyItemCount;
  }
  (controls_.*parts.ctrl).checked = HasCtrl(memo.modifiersAtOpen);
  (controls_.*parts.shift).checked = HasShift(memo.modifiersAtOpen);
}

void SettingsDialogModel::cmdOK_Click() {
  if (closed_) return;
  PlayWav(os_, kSoundButton);
  for (const GroupParts& parts : kGroups) {
    settings_.*parts.key = 0;
    settings_.*parts.modifiers = 0;
  }
  for (HotKeyGroup group : {HotKeyGroup::Start, HotKeyGroup::StartLoc, HotKeyGroup::Status}) {
    StoreGroup(group);
  }
  if (const std::optional<int32_t> seconds = NumberOf(controls_.cboSyncInterval)) {
    settings_.syncIntervalMs = *seconds * 1000;
  }
  // Giving the running timer its interval again would restart its period,
  // so an unchanged interval leaves it alone.
  if (syncTimer_.Interval() != settings_.syncIntervalMs) {
    syncTimer_.SetInterval(settings_.syncIntervalMs);
  }
  if (const std::optional<int32_t> minimum = NumberOf(controls_.cboLogSecondMin)) {
    settings_.logSecondMin = *minimum;
  }
  stored_ = true;
  Close();
}

void SettingsDialogModel::StoreGroup(HotKeyGroup group) {
  const GroupParts& parts = PartsOf(group);
  const GroupMemo& memo = memo_[static_cast<size_t>(group)];
  const ComboBoxState& list = controls_.*parts.list;

  int32_t key = memo.keyAtOpen;
  int32_t modifiers = memo.modifiersAtOpen;
  if (memo.touched) {
    // The extra item stands for the hand-edited key code it shows.
    if (list.listIndex < kHotKeyItemCount) key = KeyCodeOfItem(list.Text());
    modifiers = ModifierCode((controls_.*parts.ctrl).checked, (controls_.*parts.shift).checked);
  }
  // "None" means no hot key, whatever the boxes show.
  if (key == 0) return;
  settings_.*parts.key = key;
  settings_.*parts.modifiers = modifiers;
}

void SettingsDialogModel::cmdCancel_Click() {
  if (closed_) return;
  PlayWav(os_, kSoundButton);
  Close();
}

void SettingsDialogModel::Form_QueryUnload() { Close(); }

void SettingsDialogModel::cmdHelp1_Click() {
  if (closed_) return;
  boxes_->Show(kSyncIntervalHelp, kProgramTitle, BoxKind::Information);
}

void SettingsDialogModel::cmdHelp2_Click() {
  if (closed_) return;
  boxes_->Show(kLogSecondMinHelp, kProgramTitle, BoxKind::Information);
}

void SettingsDialogModel::PickHotKey(HotKeyGroup group, int listIndex) {
  ComboBoxState& list = controls_.*PartsOf(group).list;
  if (closed_ || !IsItem(list, listIndex) || list.listIndex == listIndex) return;
  list.listIndex = listIndex;
  memo_[static_cast<size_t>(group)].touched = true;
}

void SettingsDialogModel::CheckModifier(HotKeyGroup group, bool ctrl, bool checked) {
  const GroupParts& parts = PartsOf(group);
  CheckBoxState& box = controls_.*(ctrl ? parts.ctrl : parts.shift);
  if (closed_ || box.checked == checked) return;
  box.checked = checked;
  memo_[static_cast<size_t>(group)].touched = true;
}

void SettingsDialogModel::PickNumber(ComboBoxState& list, int listIndex) {
  if (closed_ || !list.enabled || !IsItem(list, listIndex)) return;
  list.listIndex = listIndex;
}

void SettingsDialogModel::cboStart_Click(int i) { PickHotKey(HotKeyGroup::Start, i); }
void SettingsDialogModel::chkStartCTRL_Click(bool c) { CheckModifier(HotKeyGroup::Start, true, c); }
void SettingsDialogModel::chkStartSHIFT_Click(bool c) { CheckModifier(HotKeyGroup::Start, false, c); }
void SettingsDialogModel::cboStartLoc_Click(int i) { PickHotKey(HotKeyGroup::StartLoc, i); }
void SettingsDialogModel::chkStartLocCTRL_Click(bool c) { CheckModifier(HotKeyGroup::StartLoc, true, c); }
void SettingsDialogModel::chkStartLocSHIFT_Click(bool c) {
  CheckModifier(HotKeyGroup::StartLoc, false, c);
}
void SettingsDialogModel::cboStatus_Click(int i) { PickHotKey(HotKeyGroup::Status, i); }
void SettingsDialogModel::chkStatusCTRL_Click(bool c) { CheckModifier(HotKeyGroup::Status, true, c); }
void SettingsDialogModel::chkStatusSHIFT_Click(bool c) { CheckModifier(HotKeyGroup::Status, false, c); }
void SettingsDialogModel::cboSyncInterval_Click(int i) { PickNumber(controls_.cboSyncInterval, i); }
void SettingsDialogModel::cboLogSecondMin_Click(int i) { PickNumber(controls_.cboLogSecondMin, i); }

void SettingsDialogModel::Close() { closed_ = true; }

}  // namespace horavia
