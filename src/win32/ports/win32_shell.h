#pragma once

#include <windows.h>

#include "ports/shell.h"

namespace horavia::win32 {

// Opens documents on behalf of the main window, which owns any window the
// shell shows (set once the window exists).
class Win32Shell final : public Shell {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  void Open(const std::string& path) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace horavia::win32
