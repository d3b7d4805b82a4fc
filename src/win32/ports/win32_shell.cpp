#include "win32/ports/win32_shell.h"

#include <objbase.h>
#include <shellapi.h>

#include "win32/support/wide_text.h"

namespace horavia::win32 {

namespace {

// A function of a system library, the library loaded at the first call and
// kept; null when either is missing.
template <typename F>
F SystemProc(const wchar_t* library, const char* name) {
  const HMODULE module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  // GetProcAddress returns a generic function pointer; the cast through
  // void* names the real signature.
  return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace

// The shell may hand the document to COM-based handlers, which expect an
// initialised single-threaded apartment on this (the window's) thread. The
// shell and COM are loaded at the first document rather than at start-up:
// most runs open none, and beside a simulator every megabyte counts. The
// apartment stays until the program ends. A missing document or no program
// for it is not worth a message: the result is ignored on purpose.
void Win32Shell::Open(const std::string& path) {
  using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  static const auto kCoInitializeEx = SystemProc<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
  static const auto kShellExecute = SystemProc<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
  [[maybe_unused]] static const bool kApartment =
      kCoInitializeEx != nullptr &&
      SUCCEEDED(kCoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  if (kShellExecute == nullptr) return;
  kShellExecute(owner_, L"open", Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace horavia::win32
