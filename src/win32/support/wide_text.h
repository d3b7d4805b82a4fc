#pragma once

#include <string>
#include <string_view>

namespace horavia::win32 {

// The program keeps text in UTF-8; Win32's wide API wants UTF-16. Invalid
// UTF-8 becomes U+FFFD rather than failing, so a path or a message is never
// silently dropped.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace horavia::win32
