// holdfile.exe: plays "another program" for the end-to-end tests of what
// Horavia does with a settings or log file it may not touch.
//
//   holdfile.exe lock PATH      opens PATH with no sharing at all, prints
//                               "locked" and holds it until a line "release"
//                               or the end of standard input, then prints
//                               "released"; "error <code>" if it cannot
//   holdfile.exe readonly PATH  sets the file's read-only attribute
//   holdfile.exe writable PATH  clears it again
//
// Exit code 0 on success, 1 on failure, 2 on misuse.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "win32/support/scoped_win.h"

namespace {

void Say(const char* line) {
  std::fputs(line, stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void SayError(DWORD code) {
  char line[32];
  std::snprintf(line, sizeof line, "error %lu", static_cast<unsigned long>(code));
  Say(line);
}

// Until a line "release" or the end of input; other lines are ignored.
void WaitForRelease() {
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  char buffer[256];
  size_t used = 0;
  DWORD got = 0;
  char byte = 0;
  while (::ReadFile(input, &byte, 1, &got, nullptr) && got == 1) {
    if (byte == '\n') {
      while (used > 0 && (buffer[used - 1] == '\r' || buffer[used - 1] == ' ')) --used;
      if (used == 7 && std::memcmp(buffer, "release", 7) == 0) return;
      used = 0;
    } else if (used < sizeof buffer) {
      buffer[used++] = byte;
    }
  }
}

int Lock(const wchar_t* path) {
  horavia::win32::ScopedHandle file(::CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) {
    SayError(::GetLastError());
    return 1;
  }
  Say("locked");
  WaitForRelease();
  file.Reset();
  Say("released");
  return 0;
}

int SetReadOnly(const wchar_t* path, bool readOnly) {
  const DWORD attributes = ::GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    SayError(::GetLastError());
    return 1;
  }
  const DWORD wanted = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY)
                                : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  if (!::SetFileAttributesW(path, wanted == 0 ? FILE_ATTRIBUTE_NORMAL : wanted)) {
    SayError(::GetLastError());
    return 1;
  }
  const DWORD now = ::GetFileAttributesW(path);
  if (now == INVALID_FILE_ATTRIBUTES || ((now & FILE_ATTRIBUTE_READONLY) != 0) != readOnly) {
    Say("error attribute not taken");
    return 1;
  }
  Say(readOnly ? "readonly" : "writable");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  if (std::wcscmp(argv[1], L"lock") == 0) return Lock(argv[2]);
  if (std::wcscmp(argv[1], L"readonly") == 0) return SetReadOnly(argv[2], true);
  if (std::wcscmp(argv[1], L"writable") == 0) return SetReadOnly(argv[2], false);
  return 2;
}
