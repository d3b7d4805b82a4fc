#include "win32/app/tool_tips.h"

#include <commctrl.h>

#include <cstddef>
#include <string>

#include "win32/app/image_buttons.h"
#include "win32/support/wide_text.h"
#include "windows/button_layout.h"

namespace horavia::win32 {
namespace {

TOOLINFOW ToolFor(HWND owner, int index) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner;
  tool.uId = static_cast<UINT_PTR>(index);
  return tool;
}

}  // namespace

// The buttons are painted, not windows of their own, so each tool is a
// rectangle of the main window; TTF_SUBCLASS lets the tip watch the mouse
// there without the window relaying its messages. A grey button keeps its
// tip: it still tells what the button is for.
bool ButtonToolTips::Create(HWND owner, UINT dpi) {
  Destroy();
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&init);
  tip_ = ::CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
  if (tip_ == nullptr) return false;
  owner_ = owner;
  for (int i = 0; i < kButtonCount; ++i) {
    std::wstring text = Widen(kImageButtons[static_cast<size_t>(i)].toolTip);
    TOOLINFOW tool = ToolFor(owner_, i);
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = ImageButtonRect(i, dpi);
    tool.lpszText = text.data();  // copied by the control
    ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return true;
}

void ButtonToolTips::Place(UINT dpi) {
  if (tip_ == nullptr) return;
  for (int i = 0; i < kButtonCount; ++i) {
    TOOLINFOW tool = ToolFor(owner_, i);
    tool.rect = ImageButtonRect(i, dpi);
    ::SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

// The system destroys an owned window with its owner, so by the owner's
// WM_DESTROY the tip may already be gone.
void ButtonToolTips::Destroy() {
  if (tip_ != nullptr && ::IsWindow(tip_)) ::DestroyWindow(tip_);
  tip_ = nullptr;
  owner_ = nullptr;
}

}  // namespace horavia::win32
