#pragma once

#include <windows.h>

namespace horavia::win32 {

// Calls that older Windows versions lack, looked up at run time so that the
// program still starts there, each with the fallback it gets when missing.

// The window's DPI (Windows 10 1607 and later), else the screen's.
UINT DynGetDpiForWindow(HWND window);

// The window rectangle for a client rectangle at a given DPI, else at the
// system's DPI.
BOOL DynAdjustWindowRectExForDpi(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi);

}  // namespace horavia::win32
