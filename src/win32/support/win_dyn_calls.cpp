#include "win32/support/win_dyn_calls.h"

#include "win32/support/scoped_win.h"

namespace horavia::win32 {
namespace {

template <typename F>
F UserProc(const char* name) {
  const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  // GetProcAddress returns a generic function pointer; the cast through
  // void* names the real signature.
  return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

}  // namespace

UINT DynGetDpiForWindow(HWND window) {
  using Fn = UINT(WINAPI*)(HWND);
  static const Fn kGetDpiForWindow = UserProc<Fn>("GetDpiForWindow");
  if (kGetDpiForWindow != nullptr) {
    const UINT dpi = kGetDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  const WindowDc screen(nullptr);
  const int dpi = screen.Get() != nullptr ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

BOOL DynAdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi) {
  using Fn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const Fn kAdjustForDpi = UserProc<Fn>("AdjustWindowRectExForDpi");
  if (kAdjustForDpi != nullptr) return kAdjustForDpi(rect, style, menu, exStyle, dpi);
  return ::AdjustWindowRectEx(rect, style, menu, exStyle);
}

}  // namespace horavia::win32
