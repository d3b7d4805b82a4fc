#pragma once

#include <cstdint>

#include "platform/ports/link_ipc.h"
#include "settings/settings.h"

namespace horavia {

// The simulator link's process-wide record. Every field is zero while closed.
struct LinkState {
  LinkIpc::Handle window = 0;
  uint32_t message = 0;
  int32_t atom = 0;
  LinkIpc::Handle mapping = 0;
  uint8_t* view = nullptr;
  uint8_t* next = nullptr;
  uint32_t interfaceVersion = 0;
  uint32_t simulatorVersion = 0;
};

// The FSUIPC client. It keeps at most one connection and runs on the main
// window's thread only.
class Link {
 public:
  Link(LinkIpc& ipc, const Settings& settings) : ipc_(ipc), settings_(settings) {}
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  // Releases whatever the link holds; safe at any time, also repeatedly.
  void LinkClose();

  const LinkState& State() const { return state_; }

 private:
  LinkIpc& ipc_;
  const Settings& settings_;
  LinkState state_;
};

}  // namespace horavia
