// answerbox.exe "<exact title>" yes|no: presses Yes or No in a message box
// with that title, as the user does. A Yes/No box ignores WM_CLOSE; its
// buttons send their command to the box. Exit code 0 when such a box with
// that button was found, 1 otherwise, 2 on misuse.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  int id = 0;
  if (::lstrcmpiW(argv[2], L"yes") == 0) id = IDYES;
  if (::lstrcmpiW(argv[2], L"no") == 0) id = IDNO;
  if (id == 0) return 2;
  const HWND box = ::FindWindowW(L"#32770", argv[1]);
  if (box == nullptr) return 1;
  const HWND button = ::GetDlgItem(box, id);
  if (button == nullptr) return 1;
  return ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button))
             ? 0
             : 1;
}
