#pragma once

#include <windows.h>

#include "win32/app/main_fonts.h"
#include "windows/main_controls.h"

namespace horavia::win32 {

// The client-area pixels of image button `index` at `dpi`.
RECT ImageButtonRect(int index, UINT dpi);

// Paints the six image buttons with the face each shows now, and the
// caption label above each.
void PaintImageButtons(HDC dc, UINT dpi, const MainFonts& fonts, const MainControls& controls);

}  // namespace horavia::win32
