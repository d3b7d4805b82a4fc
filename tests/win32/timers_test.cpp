#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "win32/ports/win32_timers.h"
#include "win32/support/window_base.h"

namespace horavia::win32 {
namespace {

constexpr wchar_t kBoxTitle[] = L"Horavia timer test";

// A hidden window whose ticks are counted; a message box opened from its
// first tick must not stop the ticks that follow.
class TimerWindow : public WindowBase<TimerWindow> {
 public:
  TimerWindow() {
    WindowParams params;
    params.className = L"HoraviaTimerTest";
    params.style = WS_OVERLAPPED;
    Create(params);
    timers.SetWindow(Hwnd());
  }

  Win32Timers timers;
  std::vector<DWORD> ticks;  // GetTickCount at each tick
  int ticksInsideBox = 0;
  bool openBoxOnFirstTick = false;
  bool inBox = false;

  // Pumps messages until `count` ticks arrived or the deadline passed.
  bool WaitForTicks(size_t count, DWORD deadlineMs) {
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (ticks.size() < count && ::GetTickCount() - start < deadlineMs) {
      if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
      } else {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      }
    }
    return ticks.size() >= count;
  }

 private:
  friend class WindowBase<TimerWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefaultHandling(message, wParam, lParam);
    OnTick();
    return 0;
  }
  static void ReportFailure(ActionFailure /*failure*/) { ADD_FAILURE() << "a tick threw"; }

  void OnTick() {
    ticks.push_back(::GetTickCount());
    if (inBox && ++ticksInsideBox == 3) {
      const HWND box = ::FindWindowW(L"#32770", kBoxTitle);
      if (box != nullptr) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    if (openBoxOnFirstTick && ticks.size() == 1) {
      inBox = true;
      ::MessageBoxW(Hwnd(), L"The timers keep running under this box.", kBoxTitle, MB_OK);
      inBox = false;
    }
  }
};

TEST(Win32TimersTest, ARunningTimerKeepsTickingUnderAMessageBox) {
  TimerWindow window;
  window.openBoxOnFirstTick = true;
  window.timers.Arm(TimerId::Sync, 30);
  ASSERT_TRUE(window.WaitForTicks(5, 10000));
  EXPECT_GE(window.ticksInsideBox, 3) << "ticks arrived while the box was open";
  window.timers.Disarm(TimerId::Sync);
}

TEST(Win32TimersTest, ArmingAgainStartsThePeriodAfresh) {
  TimerWindow window;
  window.timers.Arm(TimerId::Sync, 1000);
  // Re-arm every 100 ms for two and a half periods: a timer that kept its
  // first period would have ticked meanwhile.
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 2500) {
    window.WaitForTicks(1, 100);
    window.timers.Arm(TimerId::Sync, 1000);
  }
  EXPECT_TRUE(window.ticks.empty());
  window.timers.Disarm(TimerId::Sync);
  // A disarmed timer is silent.
  EXPECT_FALSE(window.WaitForTicks(1, 1300));
}

}  // namespace
}  // namespace horavia::win32
