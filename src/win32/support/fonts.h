#pragma once

#include <windows.h>

#include "win32/support/scoped_win.h"

namespace horavia::win32 {

// A font as the design names it: a face, a size in hundredths of a point
// (8.25 pt is 825) and its style.
struct DesignFont {
  const wchar_t* face = L"Arial";
  int hundredthsOfPoint = 825;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// The font at a window's DPI.
ScopedFont CreateDesignFont(const DesignFont& design, UINT dpi);

}  // namespace horavia::win32
