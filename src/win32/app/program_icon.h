#pragma once

#include <windows.h>

namespace horavia::win32 {

enum class IconSize { Large, Small };

// The program's icon at the system's size for `size`; Windows' own
// application icon where the executable carries none (the tests).
HICON ProgramIcon(IconSize size);

}  // namespace horavia::win32
