// endsession.exe "<exact title>": tells a top-level window that Windows ends
// the session, as a sign-out does: WM_QUERYENDSESSION, then, when the window
// allows it, WM_ENDSESSION with TRUE. Each send waits up to 30 s: a window
// that shows a box meanwhile does not answer in time. Exit code 0 when the
// window allowed the end and took it, 1 when there is no such window, 2 on
// misuse, 3 when it refused the end, 4 when it did not answer in time.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  const HWND window = ::FindWindowW(nullptr, argv[1]);
  if (window == nullptr) return 1;
  constexpr UINT kWaitMs = 30000;
  DWORD_PTR allowed = 0;
  if (::SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, kWaitMs,
                            &allowed) == 0) {
    return 4;
  }
  if (allowed == FALSE) return 3;
  DWORD_PTR ignored = 0;
  if (::SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, kWaitMs,
                            &ignored) == 0) {
    return 4;
  }
  return 0;
}
