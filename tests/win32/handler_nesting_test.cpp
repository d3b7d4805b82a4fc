#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "chronolog/log_format.h"
#include "windows/main_window_model.h"
#include "windows/process_context.h"
#include "fakes/fake_platform.h"
#include "win32/ports/win32_message_boxes.h"
#include "win32/ports/win32_timers.h"
#include "win32/support/window_base.h"
#include "simstandin/core/in_process_simulator.h"

namespace horavia::win32 {
namespace {

constexpr UINT_PTR kWatchdog = 99;

// The real boxes, watched: whether one is open now, and how many exchanges
// the simulator had seen when it opened and when it closed.
class WatchedBoxes : public MessageBoxes {
 public:
  WatchedBoxes(Win32MessageBoxes& real, simstandin::InProcessSimulator& sim)
      : real_(real), sim_(sim) {}
  BoxAnswer Show(const std::string& text, const std::string& title, BoxKind kind) override {
    texts.push_back(text);
    sendsAtOpen = sim_.Sends();
    open = true;
    const BoxAnswer answer = real_.Show(text, title, kind);
    open = false;
    sendsAtClose = sim_.Sends();
    return answer;
  }

  std::vector<std::string> texts;
  bool open = false;
  int sendsAtOpen = 0;
  int sendsAtClose = 0;

 private:
  Win32MessageBoxes& real_;
  simstandin::InProcessSimulator& sim_;
};

// A window that hands its timer ticks to the main window's model, as the
// real main window does, and closes a box once several ticks came under it.
class TickWindow : public WindowBase<TickWindow> {
 public:
  TickWindow(MainWindowModel& model, WatchedBoxes& boxes) : model_(model), boxes_(boxes) {
    WindowParams params;
    params.className = L"HoraviaNestingTest";
    params.style = WS_OVERLAPPED;
    Create(params);
  }

  int ticksUnderBox = 0;
  bool watchdogFired = false;

 private:
  friend class WindowBase<TickWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefaultHandling(message, wParam, lParam);
    OnTimer(wParam);
    return 0;
  }
  static void ReportFailure(ActionFailure /*failure*/) { ADD_FAILURE() << "a tick threw"; }

  void OnTimer(UINT_PTR id) {
    if (id == kWatchdog) {
      watchdogFired = true;
      CloseBox();
      return;
    }
    if (boxes_.open && ++ticksUnderBox == 5) CloseBox();
    if (id == static_cast<UINT_PTR>(TimerId::Second)) model_.OnHalfSecondTick();
    if (id == static_cast<UINT_PTR>(TimerId::Sync)) model_.OnSyncTick();
  }

  static void CloseBox() {
    const HWND box = ::FindWindowW(L"#32770", L"Horavia");
    if (box != nullptr) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  }

  MainWindowModel& model_;
  WatchedBoxes& boxes_;
};

// Pumps the thread's messages until `done` holds or 10 s have passed.
template <typename Condition>
bool PumpUntil(Condition done) {
  const ULONGLONG deadline = ::GetTickCount64() + 10000;
  MSG msg;
  while (!done()) {
    if (::GetTickCount64() > deadline) return false;
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::DispatchMessageW(&msg);
    } else {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
  return true;
}

// The log is held by another program when the timekeeper is switched OFF,
// so the switch-OFF says so in a real box while the real timers go on. The
// ticks that Windows delivers under that box find the window busy and do
// nothing: no exchange with the simulator, no change of state. Afterwards
// the model is as the switch-OFF left it, and the next tick runs.
TEST(HandlerNestingTest, TicksUnderABoxOfASwitchOffDoNothing) {
  fakes::FakeClock pc;  // the PC's clock, which the simulator's runs with
  simstandin::InProcessSimulator sim(pc);
  fakes::FakeWorld world(&sim);
  Win32Timers timers;
  Win32MessageBoxes realBoxes;
  WatchedBoxes boxes(realBoxes, sim);
  Platform os{pc,          world.regional, world.keys,  world.sound, world.shell,
              boxes,       timers,         world.files, sim,         fakes::kProgramFolder};
  ProcessContext context(os);
  MainWindowModel model(context);
  TickWindow window(model, boxes);
  timers.SetWindow(window.Hwnd());
  realBoxes.SetOwner(window.Hwnd());

  model.Start();
  ASSERT_TRUE(model.Connected());
  model.SyncTimer().SetInterval(50);
  model.Press(MainButton::Start);
  ASSERT_TRUE(model.Timekeeping().On());
  const int sendsOn = sim.Sends();
  ASSERT_TRUE(PumpUntil([&] { return sim.Sends() >= sendsOn + 2; })) << "the sync timer ticks";

  const std::string log = std::string(fakes::kProgramFolder) + kLogFileName;
  world.files.locked.insert(log);
  // The 50 ms ticks count whole seconds, so none: any period is above this.
  context.settings.logSecondMin = -1;
  ::SetTimer(window.Hwnd(), kWatchdog, 10000, nullptr);
  model.Press(MainButton::Start);
  ::KillTimer(window.Hwnd(), kWatchdog);

  ASSERT_EQ(boxes.texts.size(), 1u);
  EXPECT_EQ(boxes.texts[0].rfind("Could not write " + log + " file.", 0), 0u) << boxes.texts[0];
  EXPECT_FALSE(window.watchdogFired) << "the box was closed by the deadline, not by the ticks";
  EXPECT_GE(window.ticksUnderBox, 5);
  EXPECT_EQ(boxes.sendsAtClose, boxes.sendsAtOpen) << "a tick under the box asked the simulator";

  EXPECT_FALSE(model.Timekeeping().On());
  EXPECT_TRUE(model.Connected());
  EXPECT_EQ(model.Log().Pending().size(), 1u);
  EXPECT_EQ(model.Controls().caption, "Horavia (OFF)");
  EXPECT_EQ(model.Controls().buttons[0].face, ButtonFace::Red);
  EXPECT_EQ(model.Controls().buttons[1].face, ButtonFace::Red);
  EXPECT_EQ(world.files.files.count(log), 0u);

  // The window is not left busy: the next sync tick reads the simulator.
  const int sendsOff = sim.Sends();
  EXPECT_TRUE(PumpUntil([&] { return sim.Sends() > sendsOff; }));
  timers.Disarm(TimerId::Second);
  timers.Disarm(TimerId::Sync);
}

}  // namespace
}  // namespace horavia::win32
