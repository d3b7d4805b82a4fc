#pragma once

#include <string>
#include <utility>

#include "ports/platform.h"
#include "win32/ports/win32_clock.h"
#include "win32/ports/win32_files.h"
#include "win32/ports/win32_key_state.h"
#include "win32/ports/win32_link_ipc.h"
#include "win32/ports/win32_message_boxes.h"
#include "win32/ports/win32_regional.h"
#include "win32/ports/win32_shell.h"
#include "win32/ports/win32_sound.h"
#include "win32/ports/win32_timers.h"

namespace horavia::win32 {

// The operating system's services for a program whose files lie in
// `programFolder`, and the `Platform` that hands them on.
struct Win32Platform {
  explicit Win32Platform(std::string programFolder)
      : platform{clock, regional, keys, sound, shell, boxes, timers, files, ipc, std::move(programFolder)} {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Win32Clock clock;
  Win32Regional regional;
  Win32KeyState keys;
  Win32Sound sound;
  Win32Shell shell;
  Win32MessageBoxes boxes;
  Win32Timers timers;
  Win32Files files;
  Win32LinkIpc ipc;
  Platform platform;
};

}  // namespace horavia::win32
