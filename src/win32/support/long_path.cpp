#include "win32/support/long_path.h"

#include <windows.h>

#include <cwctype>

#include "win32/support/wide_text.h"

namespace horavia::win32 {
namespace {

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsDrivePath(std::wstring_view path) {
  return path.size() >= 3 && std::iswalpha(path[0]) != 0 && path[1] == L':' && path[2] == L'\\';
}

// GetFullPathName itself is not bound to MAX_PATH; asked how long the result
// is, it answers with room for the terminating zero.
std::wstring FullPath(const std::wstring& path) {
  const DWORD needed = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return {};
  std::wstring full(needed, L'\0');
  const DWORD n = ::GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (n == 0 || n >= needed) return {};
  full.resize(n);
  return full;
}

}  // namespace

std::wstring LongPath(std::string_view utf8) {
  std::wstring path = Widen(utf8);
  // "\\?\" and "\\.\" paths go to the system as they are, unparsed.
  if (StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\")) return path;
  const std::wstring full = FullPath(path);
  if (IsDrivePath(full)) return L"\\\\?\\" + full;
  if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return full.empty() ? path : full;
}

}  // namespace horavia::win32
