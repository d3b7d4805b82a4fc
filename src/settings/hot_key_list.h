#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace horavia {

// The keys a hot key can be: "None", the digits and the capital letters. A
// key's code is the character code of its item, which is also its Windows
// virtual-key code, so the tick can poll it as it is.
inline constexpr int kHotKeyItemCount = 37;
inline constexpr std::string_view kNoHotKey = "None";

// The 37 items in list order: "None", "0" to "9", "A" to "Z".
std::vector<std::string> HotKeyItems();

// What an item stores: 0 for "None", else the code of its first character.
int32_t KeyCodeOfItem(std::string_view text);

// The item that shows a key code, or -1 when no item can (a hand-edited
// settings file may hold any number).
int HotKeyItemIndex(int32_t keyCode);

// The stand-in item for a key code no item shows. The "#" keeps it from being
// taken for the digit or letter key of the same look.
std::string UnlistedKeyItem(int32_t keyCode);

// Modifier codes: 1 for CTRL plus 2 for SHIFT. Codes outside 0 to 3 hold
// neither, as the tick treats them.
int32_t ModifierCode(bool ctrl, bool shift);
bool HasCtrl(int32_t modifierCode);
bool HasShift(int32_t modifierCode);

}  // namespace horavia
