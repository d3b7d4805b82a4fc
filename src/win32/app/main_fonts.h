#pragma once

#include <windows.h>

#include "win32/support/scoped_win.h"
#include "windows/main_layout.h"

namespace horavia::win32 {

// The main window's three fonts, made for one DPI and made again when the
// window moves to a monitor with another.
class MainFonts {
 public:
  void Create(UINT dpi);
  HFONT Get(FontKind kind) const;

 private:
  ScopedFont text_;
  ScopedFont clock_;
  ScopedFont link_;
};

}  // namespace horavia::win32
