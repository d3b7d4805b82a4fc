#include "win32/support/window_base.h"

namespace horavia::win32 {

bool RegisterWindowClass(const WindowSpec& spec, WNDPROC procedure) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, spec.className, &existing)) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hIcon = spec.icon;
  windowClass.hIconSm = spec.smallIcon;
  windowClass.hbrBackground = spec.background;
  windowClass.lpszClassName = spec.className;
  return ::RegisterClassExW(&windowClass) != 0;
}

void SetIcons(HWND window, const WindowSpec& spec) {
  if (window == nullptr) return;
  if (spec.icon != nullptr) {
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(spec.icon));
  }
  if (spec.smallIcon != nullptr) {
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(spec.smallIcon));
  }
}

}  // namespace horavia::win32
