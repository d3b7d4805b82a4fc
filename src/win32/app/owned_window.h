#pragma once

#include <windows.h>

#include <string>

#include "win32/app/program_icon.h"
#include "win32/ports/win32_message_boxes.h"
#include "win32/support/action_boundary.h"
#include "win32/support/dpi.h"
#include "win32/support/modal_session.h"
#include "win32/support/wide_text.h"
#include "win32/support/window_base.h"
#include "win32/support/window_placement.h"

namespace horavia::win32 {

// What the two windows that the main window opens have in common. Each is
// owned by the main window and shown modally over it (see ModalSession),
// with the keys of a dialog box: IDOK is its default button, and the
// control that had the focus gets it back when the window is active again.
// Its message boxes, those of its boundary included, belong to it, so that
// they stay in front of it. When Windows ends the session it closes without
// a box. `Derived` handles OnCommand(id, code), OnClose(), OnEndSession()
// and Relayout() (at a new DPI), and names FirstControl(), the focus's
// first place.
template <typename Derived>
class OwnedWindow : public WindowBase<Derived> {
 protected:
  // Creates the window hidden, owned by `owner`, with the program's icon.
  bool CreateOwned(HWND owner, const wchar_t* className, const std::string& caption, DWORD style,
                   DWORD exStyle) {
    const std::wstring text = Widen(caption);
    WindowParams params;
    params.className = className;
    params.caption = text.c_str();
    params.style = style;
    params.exStyle = exStyle;
    params.owner = owner;
    params.icon = ProgramIcon(IconSize::Large);
    params.smallIcon = ProgramIcon(IconSize::Small);
    params.left = 0;
    params.top = 0;
    params.width = 0;
    params.height = 0;
    if (!this->Create(params)) return false;
    dpi_ = EffectiveDpi(this->Hwnd());
    boxes_.SetOwner(this->Hwnd());
    return true;
  }

  // Answers the messages every owned window handles alike; false for the
  // others.
  bool HandleCommonMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    auto& window = static_cast<Derived&>(*this);
    result = 0;
    switch (message) {
      case WM_COMMAND:
        window.OnCommand(LOWORD(wParam), HIWORD(wParam));
        return true;
      case DM_GETDEFID:
        result = MAKELRESULT(IDOK, DC_HASDEFID);
        return true;
      case WM_ACTIVATE:
        focus_.OnActivate(this->Hwnd(), LOWORD(wParam) != WA_INACTIVE, window.FirstControl());
        return true;
      case WM_CLOSE:
        window.OnClose();
        return true;
      case WM_ENDSESSION:
        if (wParam != FALSE) {
          boundary_.Silence();
          window.OnEndSession();
        }
        return true;
      case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return true;
      default:
        return false;
    }
  }

  void ReportFailure(ActionFailure failure) { boundary_.Report(failure); }

  Win32MessageBoxes& Boxes() { return boxes_; }
  UINT Dpi() const { return dpi_; }
  int Px(int twips) const { return TwipsToPixels(twips, dpi_); }

 private:
  // With the DPI forced for tests the monitor's DPI does not matter.
  void OnDpiChanged(UINT dpi, const RECT& suggested) {
    if (DpiOverride()) return;
    dpi_ = dpi;
    static_cast<Derived&>(*this).Relayout();
    TakeSuggestedRect(this->Hwnd(), suggested);
  }

  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  Win32MessageBoxes boxes_;
  ActionBoundary boundary_{boxes_};
  FocusMemory focus_;
};

}  // namespace horavia::win32
