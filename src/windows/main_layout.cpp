#include "windows/main_layout.h"

#include <algorithm>

namespace horavia {

const LayoutEntry* FindLayoutEntry(std::string_view name) {
  const auto found = std::find_if(kMainLayout.begin(), kMainLayout.end(),
                                  [name](const LayoutEntry& entry) { return entry.name == name; });
  return found != kMainLayout.end() ? &*found : nullptr;
}

TwipsRect AbsoluteRect(const LayoutEntry& entry) {
  TwipsRect rect = entry.rect;
  for (const LayoutEntry* p = FindLayoutEntry(entry.parent); p != nullptr;
       p = FindLayoutEntry(p->parent)) {
    rect.left += p->rect.left;
    rect.top += p->rect.top;
  }
  return rect;
}

bool IsShown(const LayoutEntry& entry, const MainControls& controls) {
  for (const LayoutEntry* e = &entry; e != nullptr; e = FindLayoutEntry(e->parent)) {
    if (e->frameVisible != nullptr && !(controls.*(e->frameVisible))) return false;
    if (e->label != nullptr && !(controls.*(e->label)).visible) return false;
  }
  return true;
}

ShownLabel LabelContent(const LayoutEntry& entry, const MainControls& controls) {
  if (entry.label == nullptr) return {entry.caption, entry.color};
  const LabelState& state = controls.*(entry.label);
  return {state.caption, state.color};
}

}  // namespace horavia
