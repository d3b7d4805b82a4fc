// closewindow.exe "<exact title>": asks a top-level window to close, as the
// user does with its close box (WM_CLOSE), so the program's own shut-down
// runs. Exit code 0 when such a window was found, 1 otherwise, 2 on misuse.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const HWND window = ::FindWindowW(nullptr, argv[1]);
  if (window == nullptr) return 1;
  return ::PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
