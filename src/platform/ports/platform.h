#pragma once

#include <string>

#include "platform/ports/clock.h"
#include "platform/ports/files.h"
#include "platform/ports/key_state.h"
#include "platform/ports/link_ipc.h"
#include "platform/ports/message_boxes.h"
#include "platform/ports/regional.h"
#include "platform/ports/shell.h"
#include "platform/ports/sound.h"
#include "platform/ports/timers.h"

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
