#include "win32/app/tool_tips.h"

#include <commctrl.h>

#include <cstddef>
#include <string>
#include <utility>

#include "win32/app/design_units.h"
#include "win32/app/image_buttons.h"
#include "win32/support/wide_text.h"
#include "windows/button_layout.h"

namespace horavia::win32 {
namespace {

// Long tips wrap at this width (pixels at 96 DPI) rather than run across
// the screen.
constexpr int kMaxTipWidth = 300;

TOOLINFOW ToolFor(HWND owner, size_t id) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner;
  tool.uId = static_cast<UINT_PTR>(id);
  return tool;
}

// The labels' tools come after the buttons' in the numbering.
size_t LabelToolId(size_t layoutIndex) { return kButtonCount + layoutIndex; }

RECT LabelRect(size_t layoutIndex, UINT dpi) {
  return TwipsToPixelRect(AbsoluteRect(kMainLayout[layoutIndex]), dpi);
}

}  // namespace

// The buttons and labels are painted, not windows of their own, so each
// tool is a rectangle of the main window; TTF_SUBCLASS lets the tip watch
// the mouse there without the window relaying its messages. A grey button
// keeps its tip: it still tells what the button is for.
bool MainToolTips::Create(HWND owner, UINT dpi) {
  Destroy();
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&init);
  tip_ = ::CreateWindowExW(
      WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
      reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
  if (tip_ == nullptr) return false;
  owner_ = owner;
  ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, ::MulDiv(kMaxTipWidth, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI));
  for (size_t i = 0; i < kButtonCount; ++i) {
    std::wstring text = Widen(kImageButtons[i].toolTip);
    TOOLINFOW tool = ToolFor(owner_, i);
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = ImageButtonRect(static_cast<int>(i), dpi);
    tool.lpszText = text.data();  // copied by the control
    ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return true;
}

void MainToolTips::Place(UINT dpi) {
  if (tip_ == nullptr) return;
  ::SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, ::MulDiv(kMaxTipWidth, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI));
  for (size_t i = 0; i < kButtonCount; ++i) {
    TOOLINFOW tool = ToolFor(owner_, i);
    tool.rect = ImageButtonRect(static_cast<int>(i), dpi);
    ::SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  for (size_t i = 0; i < kMainLayout.size(); ++i) {
    if (labelTips_[i].empty()) continue;
    TOOLINFOW tool = ToolFor(owner_, LabelToolId(i));
    tool.rect = LabelRect(i, dpi);
    ::SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void MainToolTips::Mirror(const MainControls& controls, UINT dpi) {
  if (tip_ == nullptr) return;
  for (size_t i = 0; i < kMainLayout.size(); ++i) {
    const LayoutEntry& entry = kMainLayout[i];
    if (entry.label == nullptr) continue;
    std::wstring text = IsShown(entry, controls) ? Widen((controls.*(entry.label)).toolTip) : L"";
    std::wstring& shown = labelTips_[i];
    if (text == shown) continue;
    TOOLINFOW tool = ToolFor(owner_, LabelToolId(i));
    tool.lpszText = text.data();
    if (text.empty()) {
      ::SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (shown.empty()) {
      tool.uFlags = TTF_SUBCLASS;
      tool.rect = LabelRect(i, dpi);
      ::SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
      ::SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    shown = std::move(text);
  }
}

// The system destroys an owned window with its owner, so by the owner's
// WM_DESTROY the tip may already be gone.
void MainToolTips::Destroy() {
  if (tip_ != nullptr && ::IsWindow(tip_)) ::DestroyWindow(tip_);
  tip_ = nullptr;
  owner_ = nullptr;
  labelTips_ = {};
}

}  // namespace horavia::win32
