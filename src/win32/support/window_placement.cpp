#include "win32/support/window_placement.h"

#include <algorithm>

#include "win32/support/win_dyn_calls.h"

namespace horavia::win32 {
namespace {

constexpr UINT kKeepPlace = SWP_NOZORDER | SWP_NOACTIVATE;

SIZE SizeForClient(HWND window, int clientWidth, int clientHeight, UINT dpi) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
  RECT frame{0, 0, clientWidth, clientHeight};
  DynAdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, dpi);
  SIZE size{frame.right - frame.left, frame.bottom - frame.top};
  ::SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, kKeepPlace | SWP_NOMOVE);
  RECT client{};
  if (::GetClientRect(window, &client)) {
    size.cx += clientWidth - client.right;
    size.cy += clientHeight - client.bottom;
  }
  return size;
}

RECT WorkAreaAround(HWND window) {
  const HWND owner = ::GetWindow(window, GW_OWNER);
  const HWND anchor = owner != nullptr ? owner : window;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (::GetMonitorInfoW(::MonitorFromWindow(anchor, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    return monitor.rcWork;
  }
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

void PlaceCentred(HWND window, int clientWidth, int clientHeight, UINT dpi) {
  const SIZE size = SizeForClient(window, clientWidth, clientHeight, dpi);
  const RECT work = WorkAreaAround(window);
  const int left = std::max<int>(work.left, work.left + (work.right - work.left - size.cx) / 2);
  const int top = std::max<int>(work.top, work.top + (work.bottom - work.top - size.cy) / 2);
  ::SetWindowPos(window, nullptr, left, top, size.cx, size.cy, kKeepPlace);
}

void TakeSuggestedRect(HWND window, const RECT& suggested) {
  ::SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, kKeepPlace);
}

}  // namespace horavia::win32
