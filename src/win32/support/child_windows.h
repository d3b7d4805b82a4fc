#pragma once

#include <windows.h>

#include <string>

namespace horavia::win32 {

// A visible control of the system class `windowClass` in `parent`, with
// `id` as its control id; its place is given later by the layout.
HWND CreateChild(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id);

// The whole text of a window or control.
std::wstring WindowText(HWND window);

}  // namespace horavia::win32
