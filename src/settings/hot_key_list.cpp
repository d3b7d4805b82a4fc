#include "settings/hot_key_list.h"

namespace horavia {

std::vector<std::string> HotKeyItems() {
  std::vector<std::string> items;
  items.reserve(kHotKeyItemCount);
  items.emplace_back(kNoHotKey);
  for (char c = '0'; c <= '9'; ++c) items.emplace_back(1, c);
  for (char c = 'A'; c <= 'Z'; ++c) items.emplace_back(1, c);
  return items;
}

int32_t KeyCodeOfItem(std::string_view text) {
  if (text.empty() || text == kNoHotKey) return 0;
  return static_cast<unsigned char>(text.front());
}

int HotKeyItemIndex(int32_t keyCode) {
  if (keyCode == 0) return 0;
  if (keyCode >= '0' && keyCode <= '9') return 1 + (keyCode - '0');
  if (keyCode >= 'A' && keyCode <= 'Z') return 11 + (keyCode - 'A');
  return -1;
}

std::string UnlistedKeyItem(int32_t keyCode) {
  std::string text(1, '#');
  text += std::to_string(keyCode);
  return text;
}

int32_t ModifierCode(bool ctrl, bool shift) { return (ctrl ? 1 : 0) + (shift ? 2 : 0); }

bool HasCtrl(int32_t modifierCode) { return modifierCode == 1 || modifierCode == 3; }

bool HasShift(int32_t modifierCode) { return modifierCode == 2 || modifierCode == 3; }

}  // namespace horavia
