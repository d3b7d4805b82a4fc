#pragma once

#include <windows.h>

#include <vector>

#include "ports/link_ipc.h"
#include "win32/support/scoped_win.h"

namespace horavia::win32 {

// The link's primitives over user32 and kernel32. Every atom, mapping and
// view handed out stays owned here until the link gives it back; whatever
// the link forgot (Reset) is released when the port goes.
class Win32LinkIpc final : public LinkIpc {
 public:
  Handle FindWindowByClass(const std::string& className) override;
  uint32_t RegisterMessage(const std::string& name) override;
  uint16_t AddAtom(const std::string& name) override;
  void DeleteAtom(uint16_t atom) override;
  Mapping CreateMapping(const std::string& name, uint32_t size) override;
  uint8_t* MapView(Handle mapping) override;
  void UnmapView(uint8_t* view) override;
  void CloseHandle(Handle handle) override;
  bool Send(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
            uint32_t& answer) override;
  uint32_t LastError() override;
  void Sleep(uint32_t milliseconds) override;
  uint32_t ProcessId() override;

 private:
  std::vector<ScopedAtom> atoms_;
  std::vector<ScopedHandle> mappings_;
  std::vector<ScopedView> views_;
};

}  // namespace horavia::win32
