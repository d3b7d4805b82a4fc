#pragma once

#include <string>
#include <string_view>

namespace horavia::win32 {

// A UTF-8 path as the file functions take it whatever its length: made
// absolute and plain (no "." or "..", "\" as the separator) and, when it
// begins with a drive or a server, given the prefix that lifts the MAX_PATH
// limit: "\\?\C:\..." or "\\?\UNC\server\share\...". A path that already has
// a prefix, or one Windows cannot make absolute, is passed on as it is.
std::wstring LongPath(std::string_view utf8);

}  // namespace horavia::win32
