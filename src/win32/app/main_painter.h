#pragma once

#include <windows.h>

#include "win32/app/main_fonts.h"
#include "windows/main_controls.h"

namespace horavia::win32 {

// Paints the whole client area from the layout table and the model's
// control state: the grey background, the frames that show, the labels in
// them, and the row of image buttons with their captions.
void PaintMainWindow(HDC dc, const RECT& client, UINT dpi, const MainFonts& fonts,
                     const MainControls& controls);

}  // namespace horavia::win32
