// e2ehelper.exe: the end-to-end tests' hands inside Wine, for what the X
// tools cannot do. It runs for the whole test run, reads one command a line
// from standard input and answers each with one line, its result code first:
//
//   close TITLE       WM_CLOSE to the top-level window of that exact title,
//                     as its close box does: 0, or 1 when there is none
//   yes TITLE         presses Yes (or No) in the message box of that title,
//   no TITLE          which ignores WM_CLOSE: 0, or 1
//   endsession TITLE  Windows ends the session, as a sign-out does:
//                     WM_QUERYENDSESSION, then WM_ENDSESSION when allowed,
//                     each waited for up to 30 s: 0 when allowed and taken,
//                     1 no such window, 3 refused, 4 not answered in time
//   text TITLE        0 and the texts of the window's static and edit
//                     controls (a box's message, a typed note), each after
//                     a TAB, in UTF-8; or 1
//   tips TITLE        0 and, for each tool tip of the window showing now,
//                     its place on the screen (x,y,width,height) and its
//                     text, each after a TAB; or 1
//   lock PATH         another program opens the file with no sharing at all
//                     and holds it: 0, or the Windows error code
//   unlock            lets go of the held file: 0
#include <windows.h>

#include <cstdio>
#include <string>

#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"

namespace {

using horavia::win32::Narrow;
using horavia::win32::Widen;

bool OfClass(HWND window, const wchar_t* name) {
  wchar_t className[32] = {};
  ::GetClassNameW(window, className, 32);
  return ::lstrcmpiW(className, name) == 0;
}

// Asked with the message itself: GetWindowText gives another process's
// edit control only its caption, which is empty; a tool tip answers with
// the text it shows. A window that does not answer gets 5 s.
std::wstring TextOf(HWND window, UINT flags) {
  constexpr UINT kWaitMs = 5000;
  DWORD_PTR length = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, flags, kWaitMs, &length);
  std::wstring text(length + 1, L'\0');
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        flags, kWaitMs, &length);
  text.resize(length);
  return text;
}

BOOL CALLBACK AddText(HWND child, LPARAM texts) {
  if (!OfClass(child, L"Static") && !OfClass(child, L"Edit")) return TRUE;
  const std::wstring text = TextOf(child, SMTO_ABORTIFHUNG);
  if (!text.empty()) *reinterpret_cast<std::string*>(texts) += "\t" + Narrow(text);
  return TRUE;
}

struct Tips {
  HWND owner;
  std::string found;
};

// The tool tips are top-level windows of their own, owned by the window
// they serve. Its thread may be busy for a while (a simulator that does not
// answer holds it), so the wait is not cut short as for a hung window.
BOOL CALLBACK AddTip(HWND window, LPARAM param) {
  Tips& tips = *reinterpret_cast<Tips*>(param);
  if (!OfClass(window, L"tooltips_class32") || ::GetWindow(window, GW_OWNER) != tips.owner ||
      !::IsWindowVisible(window)) {
    return TRUE;
  }
  RECT r{};
  ::GetWindowRect(window, &r);
  tips.found += "\t" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                std::to_string(r.right - r.left) + "," + std::to_string(r.bottom - r.top) + "\t" +
                Narrow(TextOf(window, SMTO_NORMAL));
  return TRUE;
}

std::string EndSession(HWND window) {
  constexpr UINT kWaitMs = 30000;
  DWORD_PTR allowed = 0;
  if (::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, kWaitMs,
                            &allowed) == 0) {
    return "4";
  }
  if (allowed == FALSE) return "3";
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, kWaitMs,
                               &ignored) == 0
             ? "4"
             : "0";
}

std::string Press(HWND box, int id) {
  const HWND button = ::GetDlgItem(box, id);
  const bool sent = button != nullptr && ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                                        reinterpret_cast<LPARAM>(button));
  return sent ? "0" : "1";
}

std::string Lock(horavia::win32::ScopedHandle& held, const std::string& path) {
  held.Reset(::CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return held.Valid() ? "0" : std::to_string(::GetLastError());
}

std::string Answer(horavia::win32::ScopedHandle& held, const std::string& verb,
                   const std::string& argument) {
  if (verb == "lock") return Lock(held, argument);
  if (verb == "unlock") {
    held.Reset();
    return "0";
  }
  const HWND window = ::FindWindowW(nullptr, Widen(argument).c_str());
  if (window == nullptr) return "1";
  if (verb == "close") return ::PostMessageW(window, WM_CLOSE, 0, 0) ? "0" : "1";
  if (verb == "yes") return Press(window, IDYES);
  if (verb == "no") return Press(window, IDNO);
  if (verb == "endsession") return EndSession(window);
  if (verb == "tips") {
    Tips tips{window, "0"};
    ::EnumWindows(AddTip, reinterpret_cast<LPARAM>(&tips));
    return tips.found;
  }
  if (verb != "text") return "2";
  std::string texts = "0";
  ::EnumChildWindows(window, AddText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

}  // namespace

int main() {
  horavia::win32::ScopedHandle held;
  char line[1024];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    std::string command(line);
    while (!command.empty() && (command.back() == '\n' || command.back() == '\r')) command.pop_back();
    const size_t space = command.find(' ');
    const std::string argument = space == std::string::npos ? "" : command.substr(space + 1);
    std::printf("%s\n", Answer(held, command.substr(0, space), argument).c_str());
    std::fflush(stdout);
  }
  return 0;
}
