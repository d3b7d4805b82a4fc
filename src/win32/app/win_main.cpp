#include <windows.h>

#include <memory>

#include "win32/app/app_context.h"
#include "win32/support/action_boundary.h"
#include "win32/support/wide_text.h"
#include "windows/start_options.h"

namespace {

// One main window for the whole run; the program ends when it is closed.
int RunProgram(const horavia::StartOptions& options, int showCommand) {
  auto app = std::make_unique<horavia::win32::AppContext>();
  if (!app->window.Create(options)) return 1;
  app->window.Show(showCommand);
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR commandLine,
                    int showCommand) {
  // The windows stop what their handlers let out; what is left here is the
  // start-up itself (the program's records and its window), which then
  // cannot go on.
  horavia::win32::Win32MessageBoxes boxes;
  horavia::win32::ActionBoundary boundary(boxes);
  return boundary.Run(
      [&] {
        const horavia::StartOptions options =
            horavia::ParseStartOptions(horavia::win32::Narrow(commandLine != nullptr ? commandLine : L""));
        return RunProgram(options, showCommand);
      },
      1);
}
