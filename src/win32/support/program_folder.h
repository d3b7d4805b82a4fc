#pragma once

#include <string>

namespace horavia::win32 {

// The folder of the running executable, in UTF-8 and without a trailing "\".
std::string ProgramFolder();

}  // namespace horavia::win32
