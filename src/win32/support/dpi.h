#pragma once

#include <windows.h>

#include <optional>

namespace horavia::win32 {

// Layout is kept in twips (1/1440 inch) and turned into pixels at the
// window's own DPI, rounded to the nearest pixel as MulDiv does.
int TwipsToPixels(int twips, UINT dpi);

// HORAVIA_DPI=<dots per inch> makes the main window lay itself out at that
// DPI whatever the monitor's is. Wine under a bare X server always reports
// 96, so this is how the tests see the window at 144 (150 %) or 192. Values
// outside 48..960, or not a number, are ignored.
std::optional<UINT> DpiOverride();

// The DPI the main window lays itself out at: the override, else its own.
UINT EffectiveDpi(HWND window);

}  // namespace horavia::win32
