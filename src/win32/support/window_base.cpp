#include "win32/support/window_base.h"

namespace horavia::win32 {

bool RegisterWindowClass(const WindowParams& params, WNDPROC procedure) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, params.className, &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = params.icon;
  windowClass.hIconSm = params.smallIcon;
  windowClass.hbrBackground = params.background;
  windowClass.lpszClassName = params.className;
  return ::RegisterClassExW(&windowClass) != 0;
}

void SetIcons(HWND window, const WindowParams& params) {
  if (window == nullptr) return;
  if (params.icon != nullptr) {
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(params.icon));
  }
  if (params.smallIcon != nullptr) {
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(params.smallIcon));
  }
}

}  // namespace horavia::win32
