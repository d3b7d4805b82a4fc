#include "win32/support/action_boundary.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "fakes/fake_platform.h"
#include "win32/support/window_base.h"
#include "windows/main_window_model.h"
#include "windows/process_context.h"

namespace horavia::win32 {
namespace {

constexpr UINT kRun = WM_APP + 7;

// A real window on the program's window base, with the boundary's box as
// Horavia's windows have it; each kRun message runs `handler` and answers
// its result.
class GuardedWindow : public WindowBase<GuardedWindow> {
 public:
  explicit GuardedWindow(MessageBoxes& boxes) : boundary_(boxes) {
    WindowParams params;
    params.className = L"HoraviaBoundaryTest";
    params.style = WS_OVERLAPPED;
    Create(params);
  }

  LRESULT Send() { return ::SendMessageW(Hwnd(), kRun, 0, 0); }

  std::function<LRESULT()> handler;

 private:
  friend class WindowBase<GuardedWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRun) return DefaultHandling(message, wParam, lParam);
    return handler();
  }
  void ReportFailure(ActionFailure failure) { boundary_.Report(failure); }

  ActionBoundary boundary_;
};

TEST(ActionBoundaryTest, AThrowingHandlerIsToldInOneBoxAndTheWindowGoesOn) {
  fakes::FakeMessageBoxes boxes;
  GuardedWindow window(boxes);

  window.handler = []() -> LRESULT { throw std::bad_alloc(); };
  EXPECT_EQ(window.Send(), 0);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Horavia");
  EXPECT_EQ(boxes.shown[0].kind, BoxKind::Warning);
  EXPECT_EQ(boxes.shown[0].text,
            "Horavia could not complete an action: there is not enough memory.  Its files are "
            "left as they are.");

  // A handler that fails again under the box (a tick) adds no second box.
  window.handler = []() -> LRESULT { throw std::runtime_error("broken"); };
  boxes.whileOpen = [&](const fakes::FakeMessageBoxes::Shown&) {
    EXPECT_EQ(window.Send(), 0);
  };
  EXPECT_EQ(window.Send(), 0);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text,
            "Horavia could not complete an action because of an unexpected error.  Its files are "
            "left as they are.");

  boxes.whileOpen = nullptr;
  window.handler = []() -> LRESULT { return 42; };
  EXPECT_EQ(window.Send(), 42);
  EXPECT_EQ(boxes.shown.size(), 2u);
}

// A sound that cannot be played for want of memory, once.
class FailingSound : public Sound {
 public:
  int failuresLeft = 1;
  void PlayAsync(const std::string& /*path*/) override {
    if (failuresLeft > 0) {
      --failuresLeft;
      throw std::bad_alloc();
    }
  }
};

// The main window's model after a handler that ended in an exception: its
// busy mark was unwound with it, so the next click runs.
TEST(ActionBoundaryTest, TheMainModelTakesTheNextClickAfterAFailedOne) {
  fakes::FakeWorld world;
  FailingSound sound;
  Platform os{world.clock, world.regional, world.keys,  sound,      world.shell,
              world.boxes, world.timers,   world.files, world.noSimulator, fakes::kProgramFolder};
  world.files.files[world.PathOf("\\sound_button.wav")] = "RIFF";
  ProcessContext context(os);
  MainWindowModel model(context);
  model.Start();
  ASSERT_FALSE(model.Controls().infoFrameVisible);

  GuardedWindow window(world.boxes);
  window.handler = [&]() -> LRESULT {
    model.Press(MainButton::Info);  // Info: the sound first, then the frame
    return 1;
  };
  EXPECT_EQ(window.Send(), 0);
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_FALSE(model.Controls().infoFrameVisible);
  EXPECT_EQ(window.Send(), 1);
  EXPECT_TRUE(model.Controls().infoFrameVisible);
  EXPECT_EQ(world.boxes.shown.size(), 1u);
}

}  // namespace
}  // namespace horavia::win32
