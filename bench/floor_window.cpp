// The floor the main window's costs are measured against: what Horavia must
// do while ON, done as plainly as it can be, with Horavia's own parts. A
// window of the same client size with the same two timers and the same
// button tool tips; the button sound once at start (when the file is in its
// folder), played by the same call; at every sync interval the two
// exchanges of an ON tick (the aircraft's flags, then the clock) with the
// same link against the simulator; and a repaint, by Horavia's painter,
// whenever the clock texts change. It says "shown" on its standard output
// once its window is first painted.
//
//   floor_window.exe [SYNC-INTERVAL-MS]
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <tuple>

#include "base/calendar.h"
#include "settings/settings.h"
#include "timekeeping/simulator.h"
#include "win32/app/main_painter.h"
#include "win32/app/tool_tips.h"
#include "win32/ports/win32_clock.h"
#include "win32/ports/win32_files.h"
#include "win32/ports/win32_link_ipc.h"
#include "win32/ports/win32_regional.h"
#include "win32/ports/win32_sound.h"
#include "win32/support/dpi.h"
#include "win32/support/program_folder.h"
#include "win32/support/window_base.h"
#include "windows/main_view.h"

namespace horavia::win32 {
namespace {

constexpr UINT_PTR kHalfSecond = 1;
constexpr UINT_PTR kSync = 2;

class FloorWindow : public WindowBase<FloorWindow> {
 public:
  bool Create(UINT interval) {
    const WindowParams params{.className = L"HoraviaFloor",
                              .caption = L"Horavia floor",
                              .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX};
    if (!WindowBase::Create(params)) return false;
    dpi_ = EffectiveDpi(Hwnd());
    fonts_.Create(dpi_);
    RECT frame{0, 0, TwipsToPixels(kMainClientWidthTwips, dpi_), TwipsToPixels(kMainClientHeightTwips, dpi_)};
    ::AdjustWindowRectEx(&frame, params.style, FALSE, 0);
    // At the screen's top left, away from the main window, which is centred.
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    tips_.Create(Hwnd(), dpi_);
    SetSimClockScheme(controls_, true);
    ShowPcClock();
    shown_ = controls_;
    ::SetTimer(Hwnd(), kHalfSecond, 500, nullptr);
    ::SetTimer(Hwnd(), kSync, interval, nullptr);
    return true;
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_TIMER:
        OnTimer(wParam);
        return 0;
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT:
        OnPaint();
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return DefaultHandling(message, wParam, lParam);
    }
  }
  void ReportFailure(ActionFailure /*failure*/) { ::PostQuitMessage(1); }

 private:
  void ShowPcClock() { ShowInternalClock(controls_, PartsOf(clock_.Now()), false, regional_); }

  // The two exchanges of an ON sync tick, the internal clock shown before
  // and the simulator's after, as Horavia shows them.
  void SyncTick() {
    ShowPcClock();
    if (!link_.IsOpen()) return;
    simulator_.NewHandler();
    const std::optional<AircraftFlags> flags = simulator_.ReadFlags();
    const std::optional<SimClockReading> reading = simulator_.ReadClock();
    if (!flags || !reading) {
      link_.Close();
      ShowNotConnected(controls_);
      return;
    }
    ShowSimClock(controls_, reading->localHour, reading->localMinute, DateOf(reading->Local()), {}, true,
                 {}, regional_);
  }

  // What a repaint is for: the two clocks' times, dates and lamps.
  static auto ClockTexts(const MainControls& c) {
    return std::tie(c.internalTime, c.internalDate, c.simTime, c.simDate, c.simAm, c.simPm);
  }

  void OnTimer(UINT_PTR id) {
    if (id == kHalfSecond && !link_.IsOpen() && link_.Open(0) == LinkResult::Ok) {
      simulator_.NewConnection();
      SyncTick();
    } else if (id == kSync) {
      SyncTick();
    }
    if (ClockTexts(controls_) == ClockTexts(shown_)) return;
    shown_ = controls_;
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
  }

  // Off-screen first, as Horavia paints.
  void OnPaint() {
    PaintDc paint(Hwnd());
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    MemoryDc memory(paint.Get());
    ScopedBitmap bitmap(::CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
    SelectInDc select(memory.Get(), bitmap.Get());
    PaintMainWindow(memory.Get(), client, dpi_, fonts_, controls_);
    ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
  }

  Win32Clock clock_;
  Win32Regional regional_;
  Win32LinkIpc ipc_;
  int32_t retries_ = Settings{}.smTimeoutRetry;
  Link link_{ipc_, retries_};
  Simulator simulator_{link_};
  MainControls controls_;
  MainControls shown_;
  MainFonts fonts_;
  MainToolTips tips_;
  UINT dpi_ = 96;
};

int RunFloor(PWSTR commandLine, int showCommand) {
  const long asked = std::wcstol(commandLine, nullptr, 10);
  const auto interval = static_cast<UINT>(asked > 0 ? asked : Settings{}.syncIntervalMs);
  INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&init);
  FloorWindow window;
  if (!window.Create(interval)) return 1;
  ::ShowWindow(window.Hwnd(), showCommand);
  ::UpdateWindow(window.Hwnd());
  std::printf("shown\n");
  std::fflush(stdout);
  // The button sound, when its file is there, as Horavia plays it at start.
  const std::string sound = ProgramFolder() + "\\sound_button.wav";
  if (Win32Files().IsRegularFile(sound)) Win32Sound().PlayAsync(sound);
  MSG msg{};
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}

}  // namespace
}  // namespace horavia::win32

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR commandLine, int showCommand) {
  return horavia::win32::RunFloor(commandLine, showCommand);
}
