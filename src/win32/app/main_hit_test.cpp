#include "win32/app/main_hit_test.h"

#include <array>
#include <string_view>
#include <utility>

#include "win32/app/image_buttons.h"
#include "win32/app/design_units.h"
#include "windows/main_layout.h"

namespace horavia::win32 {
namespace {

// The whole label reacts, not only its underlined text, as a label's click
// does.
constexpr std::array<std::pair<std::string_view, TextCommand>, 3> kTextCommands{{
    {"logCommand", TextCommand::Log},
    {"settingsCommand", TextCommand::Settings},
    {"helpCommand", TextCommand::Help},
}};

}  // namespace

MainHit HitTest(POINT point, UINT dpi, const MainControls& controls) {
  for (int i = 0; i < kButtonCount; ++i) {
    const RECT cell = ImageButtonRect(i, dpi);
    if (::PtInRect(&cell, point)) return {MainHit::Kind::ImageButton, i, TextCommand::Log};
  }
  for (const auto& [name, command] : kTextCommands) {
    const LayoutEntry* entry = FindLayoutEntry(name);
    if (entry == nullptr || !IsShown(*entry, controls)) continue;
    const RECT rect = TwipsToPixelRect(AbsoluteRect(*entry), dpi);
    if (::PtInRect(&rect, point)) return {MainHit::Kind::TextCommand, -1, command};
  }
  return {};
}

}  // namespace horavia::win32
