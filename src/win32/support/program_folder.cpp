#include "win32/support/program_folder.h"

#include <windows.h>

#include "win32/support/wide_text.h"

namespace horavia::win32 {

// Not MAX_PATH-bound: the program may sit in a deep folder.
std::string ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t slash = path.find_last_of(L'\\');
  if (slash != std::wstring::npos) path.resize(slash);
  return Narrow(path);
}

}  // namespace horavia::win32
