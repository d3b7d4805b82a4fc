#pragma once

#include <windows.h>

namespace horavia::win32 {

// Gives `window` a client area of `clientWidth` by `clientHeight` pixels,
// its frame made for `dpi`, and centres it on the work area of the monitor
// that holds its owner (or, without one, the window itself), kept inside
// that work area. The frame is measured rather than trusted: with the DPI
// forced for tests, Windows draws the frame at the monitor's DPI while the
// client area follows the forced one, so the first guess is corrected once
// by what it gave.
void PlaceCentred(HWND window, int clientWidth, int clientHeight, UINT dpi);

// For WM_DPICHANGED: the rectangle Windows suggests keeps the window under
// the pointer while it is dragged across monitors; taking it avoids a
// resize loop at the edge.
void TakeSuggestedRect(HWND window, const RECT& suggested);

}  // namespace horavia::win32
