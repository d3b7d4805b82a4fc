#pragma once

#include "ports/platform.h"
#include "win32/app/main_window.h"
#include "win32/ports/win32_clock.h"
#include "win32/ports/win32_files.h"
#include "win32/ports/win32_key_state.h"
#include "win32/ports/win32_link_ipc.h"
#include "win32/ports/win32_message_boxes.h"
#include "win32/ports/win32_regional.h"
#include "win32/ports/win32_shell.h"
#include "win32/ports/win32_sound.h"
#include "win32/ports/win32_timers.h"
#include "win32/support/program_folder.h"
#include "windows/main_window_model.h"
#include "windows/process_context.h"

namespace horavia::win32 {

// Everything the program holds for its whole run, in the order it is built:
// the operating system's services, the process-wide records of `ProcessContext`,
// the main window's model and the real window around it. WinMain owns the
// one instance; nothing lives in globals.
struct AppContext {
  AppContext() : window(mainModel, {timers, boxes, shell}) {}
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

  Win32Clock clock;
  Win32Regional regional;
  Win32KeyState keys;
  Win32Sound sound;
  Win32Shell shell;
  Win32MessageBoxes boxes;
  Win32Timers timers;
  Win32Files files;
  Win32LinkIpc ipc;
  Platform platform{clock, regional, keys, sound, shell, boxes, timers, files, ipc, ProgramFolder()};
  ProcessContext context{platform};
  MainWindowModel mainModel{context};
  MainWindow window;
};

}  // namespace horavia::win32
