// The floor the main window's costs are measured against: a window of the
// same client size, with the same two timers (the half second and the
// default sync interval) and a tool tip, doing nothing else. It says
// "shown" on its standard output once its window is first painted.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdio>

#include "settings/settings.h"
#include "win32/support/dpi.h"
#include "windows/main_layout.h"

namespace {

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&init);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = FloorProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = L"HoraviaFloor";
  ::RegisterClassW(&windowClass);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const HWND window = ::CreateWindowExW(0, L"HoraviaFloor", L"Horavia floor", style, 0, 0, 0, 0,
                                        nullptr, nullptr, instance, nullptr);
  const UINT dpi = horavia::win32::EffectiveDpi(window);
  const int width = horavia::win32::TwipsToPixels(horavia::kMainClientWidthTwips, dpi);
  const int height = horavia::win32::TwipsToPixels(horavia::kMainClientHeightTwips, dpi);
  RECT frame{0, 0, width, height};
  ::AdjustWindowRectEx(&frame, style, FALSE, 0);
  // At the screen's top left, away from the main window, which is centred.
  ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND tip =
      ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, instance, nullptr);
  wchar_t tipText[] = L"Floor";
  TOOLINFOW tool{sizeof tool, TTF_SUBCLASS, window, 0,      {0, 0, width, height},
                 nullptr,     tipText,      0,      nullptr};
  ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  ::SetTimer(window, 1, 500, nullptr);
  ::SetTimer(window, 2, static_cast<UINT>(horavia::Settings{}.syncIntervalMs), nullptr);
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  std::printf("shown\n");
  std::fflush(stdout);
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
