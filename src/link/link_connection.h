#pragma once

#include <cstdint>

#include "ports/link_ipc.h"

namespace horavia {

// What an open link holds from the operating system: FSUIPC's window and
// its message, the global atom that names the shared block, the mapping and
// its view. Filled in as they are acquired; whatever is held when the
// connection goes is given back, the atom first, then the view, then the
// mapping.
class LinkConnection {
 public:
  explicit LinkConnection(LinkIpc& ipc) : ipc_(ipc) {}
  ~LinkConnection();
  LinkConnection(const LinkConnection&) = delete;
  LinkConnection& operator=(const LinkConnection&) = delete;

  LinkIpc::Handle window = 0;
  uint32_t message = 0;
  int32_t atom = 0;  // the 16-bit atom, sign-extended
  LinkIpc::Handle mapping = 0;
  uint8_t* view = nullptr;

 private:
  LinkIpc& ipc_;
};

}  // namespace horavia
