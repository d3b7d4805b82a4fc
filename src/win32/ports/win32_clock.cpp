#include "win32/ports/win32_clock.h"

#include <windows.h>

namespace horavia::win32 {

LocalDateTime Win32Clock::Now() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

int64_t Win32Clock::ElapsedMs() { return static_cast<int64_t>(::GetTickCount64()); }

void Win32Clock::Sleep(int32_t milliseconds) {
  ::Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

}  // namespace horavia::win32
