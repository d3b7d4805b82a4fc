#include "win32/app/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cstddef>
#include <utility>

#include "windows/log_window_model.h"
#include "win32/app/chronolog_window.h"
#include "win32/app/main_painter.h"
#include "win32/app/resource_ids.h"
#include "win32/app/settings_dialog.h"
#include "win32/support/dpi.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"
#include "win32/support/win_dyn_calls.h"
#include "windows/settings_dialog_model.h"
#include "windows/main_layout.h"

namespace horavia::win32 {
namespace {

constexpr wchar_t kClassName[] = L"HoraviaMain";
// Fixed size: a caption with the system menu and the minimise box only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = 0;

void RunTimerHandler(MainWindowModel& form, UINT_PTR id) {
  if (id == static_cast<UINT_PTR>(TimerId::Second)) {
    form.OnHalfSecondTick();
  } else if (id == static_cast<UINT_PTR>(TimerId::Sync)) {
    form.OnSyncTick();
  }
}

// The other top-level windows of this thread hear of the end of the session
// before the model's shut-down: the ChronoLog window writes its copy back,
// the settings window closes as with its close box. Windows may send them
// the message itself as well; each acts on the first.
BOOL CALLBACK EndSessionOfOtherWindow(HWND window, LPARAM mainWindow) {
  if (window != reinterpret_cast<HWND>(mainWindow)) {
    ::SendMessageW(window, WM_ENDSESSION, TRUE, 0);
  }
  return TRUE;
}

bool SameLabels(const MainControls& a, const MainControls& b) {
  const bool labelsSame =
      std::all_of(kMainLayout.begin(), kMainLayout.end(), [&](const LayoutEntry& entry) {
        return entry.label == nullptr || a.*(entry.label) == b.*(entry.label);
      });
  return labelsSame && a.internalClockFrameVisible == b.internalClockFrameVisible &&
         a.infoFrameVisible == b.infoFrameVisible && a.buttons == b.buttons;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, MainWindowModel& form, const WindowServices& services)
    : instance_(instance), form_(form), services_(services) {}

bool MainWindow::Create() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &MainWindow::WindowProc;
  wc.hInstance = instance_;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  wc.hIcon = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(IDI_HORAVIA), IMAGE_ICON,
                                             ::GetSystemMetrics(SM_CXICON),
                                             ::GetSystemMetrics(SM_CYICON), LR_SHARED));
  wc.hIconSm = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(IDI_HORAVIA),
                                               IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                               ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (::RegisterClassExW(&wc) == 0) return false;
  const std::wstring caption = Widen(form_.Controls().caption);
  return ::CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           instance_, this) != nullptr;
}

void MainWindow::Show(int showCommand) {
  ::ShowWindow(hwnd_, showCommand);
  ::UpdateWindow(hwnd_);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return self->boundary_.Run([&] { return self->HandleMessage(message, wParam, lParam); },
                             LRESULT{0});
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate();
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;  // Horavia never holds up a sign-out or a shut-down
    case WM_ENDSESSION:
      OnEndSession(wParam != FALSE);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnMouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      OnMouseUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_SETCURSOR:
      if (OnSetCursor(LOWORD(lParam))) return TRUE;
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

// The model's start-up runs here, once the window exists (its timers and
// message boxes need the handle) and before it is first shown, so the user
// never sees the design-time texts.
LRESULT MainWindow::OnCreate() {
  services_.timers.SetWindow(hwnd_);
  services_.boxes.SetOwner(hwnd_);
  services_.shell.SetOwner(hwnd_);
  dpi_ = EffectiveDpi(hwnd_);
  fonts_.Create(dpi_);
  PlaceCentred();
  toolTips_.Create(hwnd_, dpi_);
  form_.Start();
  MirrorModel();
  return 0;
}

void MainWindow::OnTimer(UINT_PTR id) {
  RunTimerHandler(form_, id);
  MirrorModel();
}

void MainWindow::OnClose() {
  if (!unloaded_) {
    unloaded_ = true;
    form_.Shutdown();
    MirrorModel();
  }
  ::DestroyWindow(hwnd_);
}

// Windows ends the session and may end the process as soon as this returns,
// so everything is done here, without a box. The window stays; should a
// WM_CLOSE still come, it finds the shut-down done.
void MainWindow::OnEndSession(bool ending) {
  if (!ending || unloaded_) return;
  unloaded_ = true;
  boundary_.Silence();
  ::EnumThreadWindows(::GetCurrentThreadId(), &EndSessionOfOtherWindow,
                      reinterpret_cast<LPARAM>(hwnd_));
  form_.EndSession();
  MirrorModel();
}

void MainWindow::OnDestroy() {
  toolTips_.Destroy();
  services_.timers.SetWindow(nullptr);
  services_.boxes.SetOwner(nullptr);
  services_.shell.SetOwner(nullptr);
  ::PostQuitMessage(0);
}

// Painted off-screen first: the clock repaints while the user watches it.
void MainWindow::OnPaint() {
  PaintDc paint(hwnd_);
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  MemoryDc memory(paint.Get());
  ScopedBitmap bitmap(::CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
  if (memory.Get() == nullptr || !bitmap) {
    PaintMainWindow(paint.Get(), client, dpi_, fonts_, form_.Controls());
    return;
  }
  SelectInDc select(memory.Get(), bitmap.Get());
  PaintMainWindow(memory.Get(), client, dpi_, fonts_, form_.Controls());
  ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

// Windows suggests a rectangle that keeps the window under the pointer while
// it is dragged across monitors; taking it avoids a resize loop at the edge.
// With the DPI forced for tests the monitor's DPI does not matter.
void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  if (DpiOverride()) return;
  dpi_ = dpi;
  fonts_.Create(dpi_);
  toolTips_.Place(dpi_);
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void MainWindow::OnMouseDown(POINT point) { pressed_ = HitTest(point, dpi_, form_.Controls()); }

// A grey button is disabled and takes no click at all, not even its sound.
void MainWindow::OnMouseUp(POINT point) {
  const MainHit hit = HitTest(point, dpi_, form_.Controls());
  const MainHit pressed = std::exchange(pressed_, MainHit{});
  if (hit != pressed) return;
  if (hit.kind == MainHit::Kind::ImageButton) {
    if (!form_.Controls().buttons[static_cast<size_t>(hit.button)].enabled) return;
    form_.Press(static_cast<MainButton>(hit.button));
    MirrorModel();
  } else if (hit.kind == MainHit::Kind::TextCommand) {
    RunTextCommand(hit.command);
  }
}

// The text commands look like links, so they get the link's hand.
bool MainWindow::OnSetCursor(UINT hitArea) {
  if (hitArea != HTCLIENT) return false;
  POINT point{};
  if (!::GetCursorPos(&point) || !::ScreenToClient(hwnd_, &point)) return false;
  if (HitTest(point, dpi_, form_.Controls()).kind != MainHit::Kind::TextCommand) return false;
  ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  return true;
}

// The two windows are built afresh at every opening and show the records
// as they are at that moment. While one is open the main window's timers go
// on, and each tick mirrors the model as usual.
void MainWindow::RunTextCommand(TextCommand command) {
  switch (command) {
    case TextCommand::Help:
      form_.OpenHelp();
      break;
    case TextCommand::Log: {
      form_.OpenLog();
      MirrorModel();
      LogWindowModel model(form_.Context().os);
      ShowChronoLogWindow(hwnd_, model);
      break;
    }
    case TextCommand::Settings: {
      form_.OpenSettings();
      MirrorModel();
      ProcessContext& context = form_.Context();
      // Read once, when the window opens.
      const bool timekeeperOn = form_.Timekeeping().On();
      SettingsDialogModel model(context.settings, form_.SyncTimer(), timekeeperOn, context.os);
      ShowSettingsDialog(hwnd_, model);
      break;
    }
  }
  MirrorModel();
}

void MainWindow::MirrorModel() {
  const MainControls& now = form_.Controls();
  if (now.caption != shownCaption_) {
    shownCaption_ = now.caption;
    ::SetWindowTextW(hwnd_, Widen(shownCaption_).c_str());
  }
  if (!SameLabels(now, shown_)) {
    shown_ = now;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
  }
}

// The frame is measured rather than trusted: with the DPI forced, the
// frame Windows draws is the monitor's while the client area follows the
// forced DPI, so the first guess is corrected once by what it gave.
void MainWindow::PlaceCentred() {
  const int clientWidth = TwipsToPixels(kMainClientWidthTwips, dpi_);
  const int clientHeight = TwipsToPixels(kMainClientHeightTwips, dpi_);
  RECT frame{0, 0, clientWidth, clientHeight};
  DynAdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi_);
  int width = frame.right - frame.left;
  int height = frame.bottom - frame.top;
  ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  if (::GetClientRect(hwnd_, &client)) {
    width += clientWidth - client.right;
    height += clientHeight - client.bottom;
  }
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    screen = monitor.rcMonitor;
  }
  const int left = screen.left + (screen.right - screen.left - width) / 2;
  const int top = screen.top + (screen.bottom - screen.top - height) / 2;
  ::SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace horavia::win32
