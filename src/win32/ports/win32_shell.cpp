#include "win32/ports/win32_shell.h"

#include <shellapi.h>

#include "win32/support/wide_text.h"

namespace horavia::win32 {

// A missing document or no program for it is not worth a message: the
// result is ignored on purpose.
void Win32Shell::Open(const std::string& path) {
  ::ShellExecuteW(owner_, L"open", Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace horavia::win32
