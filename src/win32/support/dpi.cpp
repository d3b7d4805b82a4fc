#include "win32/support/dpi.h"

#include <charconv>

#include "win32/support/win_dyn_calls.h"

namespace horavia::win32 {

int TwipsToPixels(int twips, UINT dpi) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); }

std::optional<UINT> DpiOverride() {
  char text[16];
  const DWORD n = ::GetEnvironmentVariableA("HORAVIA_DPI", text, sizeof text);
  if (n == 0 || n >= sizeof text) return std::nullopt;
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text, text + n, value);
  if (error != std::errc{} || end != text + n || value < 48 || value > 960) return std::nullopt;
  return value;
}

UINT EffectiveDpi(HWND window) {
  if (const std::optional<UINT> forced = DpiOverride()) return *forced;
  return DynGetDpiForWindow(window);
}

}  // namespace horavia::win32
