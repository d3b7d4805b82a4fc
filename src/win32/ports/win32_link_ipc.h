#pragma once

#include <windows.h>

#include "ports/link_ipc.h"

namespace horavia::win32 {

// The link's primitives over user32 and kernel32, one call each. What they
// hand out is owned by the link's connection, which gives it back.
class Win32LinkIpc final : public LinkIpc {
 public:
  Handle FindWindowByClass(const std::string& className) override {
    return reinterpret_cast<Handle>(::FindWindowExA(nullptr, nullptr, className.c_str(), nullptr));
  }
  uint32_t RegisterMessage(const std::string& name) override {
    return ::RegisterWindowMessageA(name.c_str());
  }
  uint16_t AddAtom(const std::string& name) override { return ::GlobalAddAtomA(name.c_str()); }
  void DeleteAtom(uint16_t atom) override { ::GlobalDeleteAtom(atom); }
  Mapping CreateMapping(const std::string& name, uint32_t size) override {
    const HANDLE handle =
        ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str());
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (handle == nullptr) return {};
    return {reinterpret_cast<Handle>(handle), existed};
  }
  uint8_t* MapView(Handle mapping) override {
    return static_cast<uint8_t*>(
        ::MapViewOfFile(reinterpret_cast<HANDLE>(mapping), FILE_MAP_WRITE, 0, 0, 0));
  }
  void UnmapView(uint8_t* view) override { ::UnmapViewOfFile(view); }
  void CloseHandle(Handle handle) override { ::CloseHandle(reinterpret_cast<HANDLE>(handle)); }
  bool Send(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
            uint32_t& answer) override {
    DWORD_PTR result = 0;
    const LRESULT sent = ::SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, wParam,
                                               lParam, SMTO_BLOCK, timeoutMs, &result);
    answer = static_cast<uint32_t>(result);
    return sent != 0;
  }
  uint32_t LastError() override { return ::GetLastError(); }
  void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }
  uint32_t ProcessId() override { return ::GetCurrentProcessId(); }
};

}  // namespace horavia::win32
