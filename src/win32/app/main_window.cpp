#include "win32/app/main_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cstddef>
#include <utility>

#include "win32/app/log_window.h"
#include "win32/app/main_painter.h"
#include "win32/app/program_icon.h"
#include "win32/app/settings_dialog.h"
#include "win32/app/sync_interval_host.h"
#include "win32/support/dpi.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"
#include "win32/support/window_placement.h"
#include "windows/log_window_model.h"
#include "windows/main_layout.h"
#include "windows/settings_dialog_model.h"

namespace horavia::win32 {
namespace {

constexpr wchar_t kClassName[] = L"HoraviaMain";
// Fixed size: a caption with the system menu and the minimise box only.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void RunTimerHandler(MainWindowModel& model, UINT_PTR id) {
  if (id == static_cast<UINT_PTR>(TimerId::Second)) {
    model.OnHalfSecondTick();
  } else if (id == static_cast<UINT_PTR>(TimerId::Sync)) {
    model.OnSyncTick();
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

MainWindow::MainWindow(MainWindowModel& model, const WindowServices& services)
    : model_(model), services_(services) {}

bool MainWindow::Create(const StartOptions& options) {
  options_ = options;
  const std::wstring caption = Widen(model_.Controls().caption);
  WindowParams params;
  params.className = kClassName;
  params.caption = caption.c_str();
  params.style = kStyle;
  params.icon = ProgramIcon(IconSize::Large);
  params.smallIcon = ProgramIcon(IconSize::Small);
  return WindowBase::Create(params);
}

void MainWindow::Show(int showCommand) {
  ::ShowWindow(Hwnd(), options_.minimized ? SW_SHOWMINNOACTIVE : showCommand);
  ::UpdateWindow(Hwnd());
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
      return DefaultHandling(message, wParam, lParam);
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

// The model's start-up runs here, once the window exists (its timers and
// message boxes need the handle) and before it is first shown, so the user
// never sees the design-time texts.
LRESULT MainWindow::OnCreate() {
  services_.timers.SetWindow(Hwnd());
  services_.boxes.SetOwner(Hwnd());
  services_.shell.SetOwner(Hwnd());
  dpi_ = EffectiveDpi(Hwnd());
  fonts_.Create(dpi_);
  PlaceCentred(Hwnd(), TwipsToPixels(kMainClientWidthTwips, dpi_),
               TwipsToPixels(kMainClientHeightTwips, dpi_), dpi_);
  toolTips_.Create(Hwnd(), dpi_);
  model_.Start(options_);
  MirrorModel();
  return 0;
}

void MainWindow::OnTimer(UINT_PTR id) {
  RunTimerHandler(model_, id);
  MirrorModel();
}

void MainWindow::OnClose() {
  if (!shutDown_) {
    shutDown_ = true;
    model_.Shutdown();
    MirrorModel();
  }
  ::DestroyWindow(Hwnd());
}

// Windows ends the session and may end the process as soon as this returns,
// so everything is done here, without a box. The window stays; should a
// WM_CLOSE still come, it finds the shut-down done.
void MainWindow::OnEndSession(bool ending) {
  if (!ending || shutDown_) return;
  shutDown_ = true;
  boundary_.Silence();
  ::EnumThreadWindows(::GetCurrentThreadId(), &EndSessionOfOtherWindow,
                      reinterpret_cast<LPARAM>(Hwnd()));
  model_.EndSession();
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
  PaintDc paint(Hwnd());
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  MemoryDc memory(paint.Get());
  ScopedBitmap bitmap(::CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
  if (memory.Get() == nullptr || !bitmap) {
    PaintMainWindow(paint.Get(), client, dpi_, fonts_, model_.Controls());
    return;
  }
  SelectInDc select(memory.Get(), bitmap.Get());
  PaintMainWindow(memory.Get(), client, dpi_, fonts_, model_.Controls());
  ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

// With the DPI forced for tests the monitor's DPI does not matter.
void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  if (DpiOverride()) return;
  dpi_ = dpi;
  fonts_.Create(dpi_);
  toolTips_.Place(dpi_);
  TakeSuggestedRect(Hwnd(), suggested);
  ::InvalidateRect(Hwnd(), nullptr, FALSE);
}

void MainWindow::OnMouseDown(POINT point) { pressed_ = HitTest(point, dpi_, model_.Controls()); }

// A grey button is disabled and takes no click at all, not even its sound.
void MainWindow::OnMouseUp(POINT point) {
  const MainHit hit = HitTest(point, dpi_, model_.Controls());
  const MainHit pressed = std::exchange(pressed_, MainHit{});
  if (hit != pressed) return;
  if (hit.kind == MainHit::Kind::ImageButton) {
    if (!model_.Controls().buttons[static_cast<size_t>(hit.button)].enabled) return;
    model_.Press(static_cast<MainButton>(hit.button));
    MirrorModel();
  } else if (hit.kind == MainHit::Kind::TextCommand) {
    RunTextCommand(hit.command);
  }
}

// The text commands look like links, so they get the link's hand.
bool MainWindow::OnSetCursor(UINT hitArea) {
  if (hitArea != HTCLIENT) return false;
  POINT point{};
  if (!::GetCursorPos(&point) || !::ScreenToClient(Hwnd(), &point)) return false;
  if (HitTest(point, dpi_, model_.Controls()).kind != MainHit::Kind::TextCommand) return false;
  ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
  return true;
}

// The two windows are built afresh at every opening and show the records
// as they are at that moment. While one is open the main window's timers go
// on, and each tick mirrors the model as usual.
void MainWindow::RunTextCommand(TextCommand command) {
  switch (command) {
    case TextCommand::Help:
      model_.OpenHelp();
      break;
    case TextCommand::Log: {
      model_.OpenLog();
      MirrorModel();
      LogWindowModel logModel(model_.Context().os);
      ShowLogWindow(Hwnd(), logModel);
      break;
    }
    case TextCommand::Settings:
      ShowSettings();
      break;
  }
  MirrorModel();
}

void MainWindow::ShowSettings() {
  model_.OpenSettings();
  MirrorModel();
  ProcessContext& context = model_.Context();
  MainSyncIntervalHost host(model_);
  SettingsDialogModel settingsModel(context.settings, host, context.os);
  ShowSettingsDialog(Hwnd(), settingsModel);
}

void MainWindow::MirrorModel() {
  const MainControls& now = model_.Controls();
  if (now.caption != shownCaption_) {
    shownCaption_ = now.caption;
    ::SetWindowTextW(Hwnd(), Widen(shownCaption_).c_str());
  }
  toolTips_.Mirror(now, dpi_);
  if (!SameLabels(now, shown_)) {
    shown_ = now;
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
  }
}

}  // namespace horavia::win32
