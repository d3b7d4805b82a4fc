#pragma once

#include <windows.h>

#include "win32/support/dpi.h"
#include "windows/colors.h"
#include "windows/main_layout.h"

namespace horavia::win32 {

// A layout rectangle in client pixels at `dpi`. Both edges are scaled from
// twips, so that neighbouring controls meet exactly at any DPI.
inline RECT TwipsToPixelRect(const TwipsRect& t, UINT dpi) {
  return {TwipsToPixels(t.left, dpi), TwipsToPixels(t.top, dpi),
          TwipsToPixels(t.left + t.width, dpi), TwipsToPixels(t.top + t.height, dpi)};
}

inline COLORREF ToColorRef(Rgb color) { return RGB(color.r, color.g, color.b); }

}  // namespace horavia::win32
