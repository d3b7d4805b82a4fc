#include <objbase.h>
#include <windows.h>

#include <memory>

#include "platform/win32/app/app_context.h"

// One main window for the whole run; the program ends when it is closed.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand) {
  // The help page opens through the shell, which may hand it to COM-based
  // handlers; they expect an initialised single-threaded apartment.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  int exitCode = 1;
  {
    auto app = std::make_unique<horavia::win32::AppContext>(instance);
    if (app->window.Create()) {
      app->window.Show(showCommand);
      MSG msg{};
      while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
      exitCode = static_cast<int>(msg.wParam);
    }
  }
  if (SUCCEEDED(com)) ::CoUninitialize();
  return exitCode;
}
