#include <objbase.h>
#include <windows.h>

#include <memory>

#include "win32/app/app_context.h"
#include "win32/support/action_boundary.h"

namespace {

// One main window for the whole run; the program ends when it is closed.
int RunProgram(int showCommand) {
  auto app = std::make_unique<horavia::win32::AppContext>();
  if (!app->window.Create()) return 1;
  app->window.Show(showCommand);
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
  // The help page opens through the shell, which may hand it to COM-based
  // handlers; they expect an initialised single-threaded apartment.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  // The windows stop what their handlers let out; what is left here is the
  // start-up itself (the program's records and its window), which then
  // cannot go on.
  horavia::win32::Win32MessageBoxes boxes;
  horavia::win32::ActionBoundary boundary(boxes);
  const int exitCode = boundary.Run([&] { return RunProgram(showCommand); }, 1);
  if (SUCCEEDED(com)) ::CoUninitialize();
  return exitCode;
}
