#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "windows/main_controls.h"
#include "windows/main_layout.h"

namespace horavia::win32 {

// The main window's tool tips: one common-controls tool tip window owned by
// the main window, with a tool for each image button and one for each label
// whose model state holds a tip text now.
class MainToolTips {
 public:
  MainToolTips() = default;
  MainToolTips(const MainToolTips&) = delete;
  MainToolTips& operator=(const MainToolTips&) = delete;
  ~MainToolTips() { Destroy(); }

  // False when the tool tip window could not be made; the window works
  // without its tips.
  bool Create(HWND owner, UINT dpi);
  // Moves the tools onto the controls as laid out at a new DPI.
  void Place(UINT dpi);
  // The labels' tips as the model holds them: a tool comes, changes its
  // text or goes where a label's tip did. A label that does not show has no tip.
  void Mirror(const MainControls& controls, UINT dpi);
  void Destroy();

 private:
  HWND owner_ = nullptr;
  HWND tip_ = nullptr;
  std::array<std::wstring, kMainLayout.size()> labelTips_;
};

}  // namespace horavia::win32
