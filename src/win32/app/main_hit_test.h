#pragma once

#include <windows.h>

#include "windows/main_controls.h"

namespace horavia::win32 {

enum class TextCommand { Log, Settings, Help };

// What a point of the main window's client area lies on: one of the image
// buttons (enabled or not), one of the text commands while their frame
// shows, or nothing that reacts to the mouse.
struct MainHit {
  enum class Kind { Nothing, ImageButton, TextCommand };
  Kind kind = Kind::Nothing;
  int button = -1;
  TextCommand command = TextCommand::Log;
  friend bool operator==(const MainHit&, const MainHit&) = default;
};

MainHit HitTest(POINT point, UINT dpi, const MainControls& controls);

}  // namespace horavia::win32
