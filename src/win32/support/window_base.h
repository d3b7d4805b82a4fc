#pragma once

#include <windows.h>

#include "base/exception_boundary.h"

namespace horavia::win32 {

// What a window of the program is made of: its class (registered at the
// first window of that class) and the window's own styles.
struct WindowParams {
  const wchar_t* className = nullptr;
  const wchar_t* caption = L"";
  DWORD style = 0;
  DWORD exStyle = 0;
  HWND owner = nullptr;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  HBRUSH background = nullptr;  // null: the window paints its background itself
  // Where and how large; by default a place Windows picks, made right later.
  int left = CW_USEDEFAULT;
  int top = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
};

// Registers the class `params` names unless this process already has it; false when
// it could not be registered.
bool RegisterWindowClass(const WindowParams& params, WNDPROC procedure);

// Gives the window the icons of `params` as its own as well: a window with a
// dialog frame shows only an icon set that way in its caption.
void SetIcons(HWND window, const WindowParams& params);

// The base of each of the program's windows, `Derived` being the window's
// own class. One window procedure serves them all: it keeps the window's
// object with the window from WM_NCCREATE on and hands every message to
// `Derived::HandleMessage(message, wParam, lParam)`. An exception that a
// handler lets out stops here, since Windows' own frames beneath cannot
// unwind it: the window answers 0 and `Derived::ReportFailure(failure)` tells
// of it. The window is destroyed at the latest with its object.
template <typename Derived>
class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // Null before Create() and once the window is destroyed.
  HWND Hwnd() const { return hwnd_; }

 protected:
  WindowBase() = default;
  // The window goes without its messages reaching the object, which is
  // half gone by now.
  ~WindowBase() {
    if (hwnd_ == nullptr) return;
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
  }

  // Registers the class if need be and creates the window; WM_CREATE has
  // run when this returns. False when either failed.
  bool Create(const WindowParams& params) {
    if (!RegisterWindowClass(params, &WindowBase::WindowProc)) return false;
    if (::CreateWindowExW(params.exStyle, params.className, params.caption, params.style, params.left,
                          params.top, params.width, params.height, params.owner, nullptr,
                          ::GetModuleHandleW(nullptr), this) == nullptr) {
      return false;
    }
    SetIcons(hwnd_, params);
    return true;
  }

  // What Windows does with a message the window does not handle itself.
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* created =
          static_cast<WindowBase*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
      created->hwnd_ = hwnd;
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    auto& window = static_cast<Derived&>(*self);
    const LRESULT result =
        CatchAtBoundary([&] { return window.HandleMessage(message, wParam, lParam); }, LRESULT{0},
                        [&](ActionFailure failure) { window.ReportFailure(failure); });
    if (message == WM_NCDESTROY) {
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return result;
  }

  HWND hwnd_ = nullptr;
};

}  // namespace horavia::win32
