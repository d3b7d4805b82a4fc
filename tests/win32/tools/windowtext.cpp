// windowtext.exe "<exact title>": prints the texts of a top-level window's
// static and edit controls, one per line, in UTF-8. A message box keeps its
// message in such a control, and a window its typed text, out of reach of
// the X tools. Exit code 0 when the window
// was found, 1 otherwise, 2 on misuse.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK PrintText(HWND child, LPARAM) {
  wchar_t className[32] = {};
  ::GetClassNameW(child, className, 32);
  if (::lstrcmpiW(className, L"Static") != 0 && ::lstrcmpiW(className, L"Edit") != 0) return TRUE;
  // Asked with the message itself: GetWindowText gives another process's
  // edit control only its caption, which is empty.
  const auto length = static_cast<int>(::SendMessageW(child, WM_GETTEXTLENGTH, 0, 0));
  if (length <= 0) return TRUE;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::SendMessageW(child, WM_GETTEXT, text.size(),
                                                 reinterpret_cast<LPARAM>(text.data()))));
  const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
  std::fputs(utf8.c_str(), stdout);
  std::fputc('\n', stdout);
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const HWND window = ::FindWindowW(nullptr, argv[1]);
  if (window == nullptr) return 1;
  ::EnumChildWindows(window, PrintText, 0);
  std::fflush(stdout);
  return 0;
}
