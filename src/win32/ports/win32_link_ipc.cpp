#include "win32/ports/win32_link_ipc.h"

#include <algorithm>

namespace horavia::win32 {

namespace {

template <typename Owners, typename Key, typename Getter>
void Drop(Owners& owners, Key key, Getter get) {
  const auto it =
      std::find_if(owners.begin(), owners.end(), [&](const auto& o) { return get(o) == key; });
  if (it != owners.end()) owners.erase(it);
}

}  // namespace

LinkIpc::Handle Win32LinkIpc::FindWindowByClass(const std::string& className) {
  return reinterpret_cast<Handle>(::FindWindowExA(nullptr, nullptr, className.c_str(), nullptr));
}

uint32_t Win32LinkIpc::RegisterMessage(const std::string& name) {
  return ::RegisterWindowMessageA(name.c_str());
}

uint16_t Win32LinkIpc::AddAtom(const std::string& name) {
  const ATOM atom = ::GlobalAddAtomA(name.c_str());
  if (atom != 0) atoms_.emplace_back(atom);
  return atom;
}

void Win32LinkIpc::DeleteAtom(uint16_t atom) {
  Drop(atoms_, atom, [](const ScopedAtom& a) { return a.Get(); });
}

LinkIpc::Mapping Win32LinkIpc::CreateMapping(const std::string& name, uint32_t size) {
  const HANDLE handle =
      ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, name.c_str());
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (handle == nullptr) return {};
  mappings_.emplace_back(handle);
  return {reinterpret_cast<Handle>(handle), existed};
}

uint8_t* Win32LinkIpc::MapView(Handle mapping) {
  void* view = ::MapViewOfFile(reinterpret_cast<HANDLE>(mapping), FILE_MAP_WRITE, 0, 0, 0);
  if (view == nullptr) return nullptr;
  views_.emplace_back(view);
  return static_cast<uint8_t*>(view);
}

void Win32LinkIpc::UnmapView(uint8_t* view) {
  Drop(views_, static_cast<void*>(view), [](const ScopedView& v) { return v.Get(); });
}

void Win32LinkIpc::CloseHandle(Handle handle) {
  Drop(mappings_, reinterpret_cast<HANDLE>(handle), [](const ScopedHandle& h) { return h.Get(); });
}

bool Win32LinkIpc::Send(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam,
                        uint32_t timeoutMs, uint32_t& answer) {
  DWORD_PTR result = 0;
  const LRESULT sent = ::SendMessageTimeoutA(reinterpret_cast<HWND>(window), message, wParam,
                                             lParam, SMTO_BLOCK, timeoutMs, &result);
  answer = static_cast<uint32_t>(result);
  return sent != 0;
}

uint32_t Win32LinkIpc::LastError() { return ::GetLastError(); }

void Win32LinkIpc::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

uint32_t Win32LinkIpc::ProcessId() { return ::GetCurrentProcessId(); }

}  // namespace horavia::win32
