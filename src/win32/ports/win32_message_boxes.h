#pragma once

#include <windows.h>

#include "ports/message_boxes.h"

namespace horavia::win32 {

// Message boxes owned by the main window (set once the window exists), so
// that they stay in front of it and block only it.
class Win32MessageBoxes final : public MessageBoxes {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  BoxAnswer Show(const std::string& text, const std::string& title, BoxKind kind) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace horavia::win32
