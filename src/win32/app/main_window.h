#pragma once

#include <windows.h>

#include <string>

#include "windows/main_window_model.h"
#include "win32/app/main_fonts.h"
#include "win32/app/main_hit_test.h"
#include "win32/app/tool_tips.h"
#include "win32/support/action_boundary.h"
#include "win32/ports/win32_message_boxes.h"
#include "win32/ports/win32_shell.h"
#include "win32/ports/win32_timers.h"
#include "windows/main_controls.h"

namespace horavia::win32 {

// The ports that act on behalf of the main window and need its handle.
struct WindowServices {
  Win32Timers& timers;
  Win32MessageBoxes& boxes;
  Win32Shell& shell;
};

// The real main window around the `MainWindowModel` model: it turns window messages
// into the model's events and, after each, shows what the model holds.
class MainWindow {
 public:
  MainWindow(HINSTANCE instance, MainWindowModel& form, const WindowServices& services);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window, still hidden, and runs the model's start-up in it.
  bool Create();
  void Show(int showCommand);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  LRESULT OnCreate();
  void OnTimer(UINT_PTR id);
  void OnClose();
  void OnEndSession(bool ending);
  void OnDestroy();
  void OnPaint();
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  // A click is what was pressed and released on the same button or text
  // command, as a control's click is.
  void OnMouseDown(POINT point);
  void OnMouseUp(POINT point);
  bool OnSetCursor(UINT hitArea);
  void RunTextCommand(TextCommand command);

  // Shows the model's control state: caption, label texts, colours and
  // visibility, frame visibility. Called after every handler.
  void MirrorModel();
  // Sizes the window for the design's client area at `dpi_`, centred on
  // its monitor.
  void PlaceCentred();

  HINSTANCE instance_;
  MainWindowModel& form_;
  WindowServices services_;
  ActionBoundary boundary_{services_.boxes};
  HWND hwnd_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  MainFonts fonts_;
  ButtonToolTips toolTips_;
  MainHit pressed_;
  std::string shownCaption_;
  MainControls shown_;
  bool unloaded_ = false;
};

}  // namespace horavia::win32
