#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "chronolog/log_format.h"
#include "fakes/fake_platform.h"
#include "simstandin/core/in_process_simulator.h"
#include "win32/app/settings_dialog.h"
#include "win32/ports/win32_message_boxes.h"
#include "win32/ports/win32_timers.h"
#include "win32/support/action_boundary.h"
#include "win32/support/window_base.h"
#include "windows/main_window_model.h"
#include "windows/process_context.h"
#include "windows/settings_dialog_model.h"

namespace horavia::win32 {
namespace {

constexpr UINT kRun = WM_APP + 7;
constexpr UINT_PTR kWatchdog = 99;

// A hidden window on the program's window base: its real timer ticks go to
// `onTick`, a kRun message runs `onRun` and answers its result, and what a
// handler lets out goes to the boundary, whose box is Horavia's.
class TestWindow : public WindowBase<TestWindow> {
 public:
  explicit TestWindow(MessageBoxes& boundaryBoxes) : boundary_(boundaryBoxes) {
    Create({.className = L"HoraviaPlumbingTest"});
    timers.SetWindow(Hwnd());
  }
  LRESULT Run() { return ::SendMessageW(Hwnd(), kRun, 0, 0); }

  Win32Timers timers;
  std::function<void(UINT_PTR)> onTick;
  std::function<LRESULT()> onRun;

 private:
  friend class WindowBase<TestWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRun) return onRun();
    if (message != WM_TIMER) return DefaultHandling(message, wParam, lParam);
    onTick(wParam);
    return 0;
  }
  void ReportFailure(ActionFailure failure) { boundary_.Report(failure); }

  ActionBoundary boundary_;
};

// Pumps the thread's messages, as they come, until `done` holds or 10 s
// have passed.
bool PumpUntil(const std::function<bool()>& done) {
  const ULONGLONG deadline = ::GetTickCount64() + 10000;
  while (!done()) {
    if (::GetTickCount64() > deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    for (MSG msg; ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) ::DispatchMessageW(&msg);
  }
  return true;
}

HWND Box() { return ::FindWindowW(L"#32770", L"Horavia"); }
void CloseBox() { ::PostMessageW(Box(), WM_COMMAND, IDOK, 0); }

// A sound that cannot be played for want of memory, once.
class FailingSound : public Sound {
 public:
  int failuresLeft = 1;
  void PlayAsync(const std::string& /*path*/) override {
    if (failuresLeft-- > 0) throw std::bad_alloc();
  }
};

// A click whose handler throws is told in one box, and the window and the
// main window's model go on: the model's busy mark was unwound with the
// exception, so the next click runs.
TEST(WindowPlumbingTest, AFailedClickIsToldInOneBoxAndTheNextClickRuns) {
  fakes::FakeWorld world;
  FailingSound sound;
  Platform os{world.clock,       world.regional,       world.keys,   sound,
              world.shell,       world.boxes,          world.timers, world.files,
              world.noSimulator, fakes::kProgramFolder};
  world.files.files[world.PathOf("\\sound_button.wav")] = "RIFF";
  ProcessContext context(os);
  MainWindowModel model(context);
  model.Start();
  TestWindow window(world.boxes);
  const auto pressInfo = [&]() -> LRESULT {
    model.Press(MainButton::Info);  // Info: the sound first, then the frame
    return 1;
  };
  const std::string filesKept = "  Its files are left as they are.";

  window.onRun = pressInfo;
  EXPECT_EQ(window.Run(), 0);
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].title, "Horavia");
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Warning);
  EXPECT_EQ(world.boxes.shown[0].text,
            "Horavia could not complete an action: there is not enough memory." + filesKept);
  EXPECT_FALSE(model.Controls().infoFrameVisible);

  // A handler that fails again under the box (a tick) adds no second box.
  window.onRun = []() -> LRESULT { throw std::runtime_error("broken"); };
  world.boxes.whileOpen = [&](const fakes::FakeMessageBoxes::Shown&) {
    EXPECT_EQ(window.Run(), 0);
  };
  EXPECT_EQ(window.Run(), 0);
  ASSERT_EQ(world.boxes.shown.size(), 2u);
  EXPECT_EQ(world.boxes.shown[1].text,
            "Horavia could not complete an action because of an unexpected error." + filesKept);

  world.boxes.whileOpen = nullptr;
  window.onRun = pressInfo;
  EXPECT_EQ(window.Run(), 1);
  EXPECT_TRUE(model.Controls().infoFrameVisible);
  EXPECT_EQ(world.boxes.shown.size(), 2u);
}

// The log is held by another program when the timekeeper is switched OFF,
// so the switch-OFF says so in a real box while the real timers go on. The
// ticks that Windows delivers under that box find the window busy and do
// nothing: no exchange with the simulator, no change of state. Afterwards
// the model is as the switch-OFF left it, and the next tick runs.
TEST(WindowPlumbingTest, TicksUnderABoxOfASwitchOffDoNothing) {
  fakes::FakeWorld world;
  simstandin::InProcessSimulator sim(world.clock);  // its clock runs with the PC's
  TestWindow window(world.boxes);
  Win32MessageBoxes boxes;
  boxes.SetOwner(window.Hwnd());
  Platform os{world.clock, world.regional, world.keys,  world.sound, world.shell,
              boxes,       window.timers,  world.files, sim,         fakes::kProgramFolder};
  ProcessContext context(os);
  MainWindowModel model(context);
  int ticksUnderBox = 0;
  int sendsOfTicksUnderBox = 0;
  bool watchdogFired = false;
  window.onTick = [&](UINT_PTR id) {
    const bool underBox = Box() != nullptr;
    if (underBox) sendsOfTicksUnderBox -= sim.Sends();
    if (id == kWatchdog) {
      watchdogFired = true;
      CloseBox();
    }
    if (id == static_cast<UINT_PTR>(TimerId::Second)) model.OnHalfSecondTick();
    if (id == static_cast<UINT_PTR>(TimerId::Sync)) model.OnSyncTick();
    if (!underBox) return;
    sendsOfTicksUnderBox += sim.Sends();
    if (++ticksUnderBox == 5) CloseBox();
  };

  model.Start();
  ASSERT_TRUE(model.Connected());
  model.SyncTimer().SetInterval(50);
  model.Press(MainButton::Start);
  ASSERT_TRUE(model.Timekeeping().On());
  const int sendsOn = sim.Sends();
  ASSERT_TRUE(PumpUntil([&] { return sim.Sends() >= sendsOn + 2; })) << "the sync timer ticks";

  world.files.locked.insert(world.PathOf(kLogFileName));
  // The 50 ms ticks count whole seconds, so none: any period is above this.
  context.settings.logSecondMin = -1;
  ::SetTimer(window.Hwnd(), kWatchdog, 10000, nullptr);
  model.Press(MainButton::Start);
  ::KillTimer(window.Hwnd(), kWatchdog);

  EXPECT_FALSE(watchdogFired) << "the box was closed by the deadline, not by the ticks";
  EXPECT_GE(ticksUnderBox, 5);
  EXPECT_EQ(sendsOfTicksUnderBox, 0) << "a tick under the box asked the simulator";
  EXPECT_FALSE(model.Timekeeping().On());
  EXPECT_TRUE(model.Connected());
  EXPECT_EQ(model.Log().Pending().size(), 1u);

  // The window is not left busy: the next sync tick reads the simulator.
  const int sendsOff = sim.Sends();
  EXPECT_TRUE(PumpUntil([&] { return sim.Sends() > sendsOff; }));
}

// The main window as the settings window sees it: OFF, the default interval.
class UntouchedInterval final : public SyncIntervalHost {
 public:
  bool TimekeeperOn() const override { return false; }
  int32_t SyncIntervalMs() const override { return 20000; }
  void SetSyncIntervalMs(int32_t /*intervalMs*/) override { ADD_FAILURE() << "interval set"; }
};

// The settings window runs its own modal loop over the main window: the
// owner's timers tick on under it and under its help box, which belongs to
// the settings window; Esc then leaves with nothing stored. The owner's
// ticks drive the steps; after 300 of them the settings window is closed,
// so that a broken step fails the test rather than hanging it.
TEST(WindowPlumbingTest, TheOwnersTimersTickUnderTheSettingsWindowAndItsHelpBox) {
  fakes::FakeWorld world;
  Settings settings;
  UntouchedInterval host;
  TestWindow owner(world.boxes);
  int step = 0;
  int ticks = 0;
  owner.onTick = [&](UINT_PTR) {
    const HWND window = ::FindWindowW(L"HoraviaSettings", nullptr);
    if (window == nullptr) return;
    if (++ticks > 300) {
      ::PostMessageW(window, WM_CLOSE, 0, 0);
    } else if (step == 0) {
      EXPECT_FALSE(::IsWindowEnabled(owner.Hwnd()));
      ::PostMessageW(::GetDlgItem(window, 1011), BM_CLICK, 0, 0);  // the interval's "?"
      ++step;
    } else if (step == 1 && Box() != nullptr) {
      EXPECT_EQ(::GetWindow(Box(), GW_OWNER), window);
      EXPECT_FALSE(::IsWindowEnabled(window));
      CloseBox();
      ++step;
    } else if (step == 2 && Box() == nullptr) {
      EXPECT_TRUE(::IsWindowEnabled(window));
      ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
      ++step;
    }
  };
  owner.timers.Arm(TimerId::Second, 30);
  SettingsDialogModel model(settings, host, world.platform);
  EXPECT_FALSE(ShowSettingsDialog(owner.Hwnd(), model));
  EXPECT_EQ(step, 3);
  EXPECT_LE(ticks, 300) << "closed at the deadline";
  EXPECT_TRUE(::IsWindowEnabled(owner.Hwnd()));
}

}  // namespace
}  // namespace horavia::win32
