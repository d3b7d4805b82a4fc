#pragma once

#include "win32/app/main_window.h"
#include "win32/ports/win32_platform.h"
#include "win32/support/program_folder.h"
#include "windows/main_window_model.h"
#include "windows/process_context.h"

namespace horavia::win32 {

// Everything the program holds for its whole run, in the order it is built:
// the operating system's services, the process-wide records of `ProcessContext`,
// the main window's model and the real window around it. WinMain owns the
// one instance; nothing lives in globals.
struct AppContext {
  AppContext() : window(mainModel, {os.timers, os.boxes, os.shell}) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Win32Platform os{ProgramFolder()};
  ProcessContext context{os.platform};
  MainWindowModel mainModel{context};
  MainWindow window;
};

}  // namespace horavia::win32
