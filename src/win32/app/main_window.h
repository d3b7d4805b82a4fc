#pragma once

#include <windows.h>

#include <string>

#include "win32/app/main_fonts.h"
#include "win32/app/main_hit_test.h"
#include "win32/app/tool_tips.h"
#include "win32/ports/win32_message_boxes.h"
#include "win32/ports/win32_shell.h"
#include "win32/ports/win32_timers.h"
#include "win32/support/action_boundary.h"
#include "win32/support/window_base.h"
#include "windows/main_controls.h"
#include "windows/main_window_model.h"

namespace horavia::win32 {

// The ports that act on behalf of the main window and need its handle.
struct WindowServices {
  Win32Timers& timers;
  Win32MessageBoxes& boxes;
  Win32Shell& shell;
};

// The real main window around the `MainWindowModel` model: it turns window
// messages into the model's events and, after each, shows what the model
// holds.
class MainWindow : public WindowBase<MainWindow> {
 public:
  MainWindow(MainWindowModel& model, const WindowServices& services);

  // Creates the window, still hidden, and runs the model's start-up in it
  // with the command line's options.
  bool Create(const StartOptions& options);
  // Minimised without taking the focus when the command line asked for it:
  // the simulator that started Horavia keeps the keyboard.
  void Show(int showCommand);

 private:
  friend class WindowBase<MainWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void ReportFailure(ActionFailure failure) { boundary_.Report(failure); }

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
  void ShowSettings();

  // Shows the model's control state: caption, label texts, colours and
  // visibility, frame visibility. Called after every handler.
  void MirrorModel();

  MainWindowModel& model_;
  WindowServices services_;
  ActionBoundary boundary_{services_.boxes};
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  MainFonts fonts_;
  MainToolTips toolTips_;
  MainHit pressed_;
  std::string shownCaption_;
  MainControls shown_;
  StartOptions options_;
  bool shutDown_ = false;
};

}  // namespace horavia::win32
