#pragma once

#include <cstdint>
#include <string>

#include "ports/port_base.h"

namespace horavia {

// The operating-system primitives of the simulator link: the simulator's
// window, its registered message, the global atom naming the shared block,
// the named mapping itself and the blocking send. Handles are opaque numbers.
class LinkIpc : public PortBase {
 public:
  using Handle = uintptr_t;

  struct Mapping {
    Handle handle = 0;           // 0 when it could not be created
    bool alreadyExisted = false; // an object of that name was there before
  };

  // A top-level window of that class, any title; 0 when there is none.
  virtual Handle FindWindowByClass(const std::string& className) = 0;
  virtual uint32_t RegisterMessage(const std::string& name) = 0;
  virtual uint16_t AddAtom(const std::string& name) = 0;
  virtual void DeleteAtom(uint16_t atom) = 0;
  // A paging-file-backed mapping of `size` bytes under `name`.
  virtual Mapping CreateMapping(const std::string& name, uint32_t size) = 0;
  // The whole mapping for writing, or nullptr.
  virtual uint8_t* MapView(Handle mapping) = 0;
  virtual void UnmapView(uint8_t* view) = 0;
  virtual void CloseHandle(Handle handle) = 0;
  // SendMessageTimeout with SMTO_BLOCK. Returns false when the send failed or
  // timed out; `answer` then holds nothing useful.
  virtual bool Send(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                    uint32_t timeoutMs, uint32_t& answer) = 0;
  // The thread's last-error value, read right after a failed call.
  virtual uint32_t LastError() = 0;
  virtual void Sleep(uint32_t milliseconds) = 0;
  virtual uint32_t ProcessId() = 0;
};

}  // namespace horavia
