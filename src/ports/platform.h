#pragma once

#include <string>

#include "ports/clock.h"
#include "ports/files.h"
#include "ports/key_state.h"
#include "ports/link_ipc.h"
#include "ports/message_boxes.h"
#include "ports/regional.h"
#include "ports/shell.h"
#include "ports/sound.h"
#include "ports/timers.h"

namespace horavia {

// All operating-system services the logic uses, wired in one place (WinMain,
// or a test's fixture). The program folder is the folder of the executable,
// without a trailing "\"; every file name is appended to it.
struct Platform {
  Clock& clock;
  Regional& regional;
  KeyState& keys;
  Sound& sound;
  Shell& shell;
  MessageBoxes& boxes;
  Timers& timers;
  Files& files;
  LinkIpc& ipc;
  std::string programFolder;
};

}  // namespace horavia
