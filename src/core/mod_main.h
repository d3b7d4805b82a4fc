#pragma once

#include "platform/ports/platform.h"
#include "settings/settings.h"
#include "simlink/link.h"

namespace horavia {

// The process-wide records beside the main window: the settings and the
// simulator link, with the operating system's services they use. WinMain owns
// the one instance; a test builds a fresh one in a line.
struct modMain {
  explicit modMain(Platform& platform) : os(platform), link(platform.ipc, settings) {}
  modMain(const modMain&) = delete;
  modMain& operator=(const modMain&) = delete;

  Platform& os;
  Settings settings;
  Link link;
};

}  // namespace horavia
