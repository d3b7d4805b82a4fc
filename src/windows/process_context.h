#pragma once

#include "ports/platform.h"
#include "settings/settings.h"
#include "link/link.h"

namespace horavia {

// The process-wide records beside the main window: the settings and the
// simulator link, with the operating system's services they use. WinMain owns
// the one instance; a test builds a fresh one in a line.
struct ProcessContext {
  explicit ProcessContext(Platform& platform) : os(platform), link(platform.ipc, settings.smTimeoutRetry) {}
  ProcessContext(const ProcessContext&) = delete;
  ProcessContext& operator=(const ProcessContext&) = delete;

  Platform& os;
  Settings settings;
  Link link;
};

}  // namespace horavia
