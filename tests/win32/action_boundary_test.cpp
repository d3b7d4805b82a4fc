#include "win32/support/action_boundary.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "windows/main_window_model.h"
#include "windows/process_context.h"
#include "fakes/fake_platform.h"

namespace horavia::win32 {
namespace {

constexpr UINT kRun = WM_APP + 7;
constexpr LRESULT kFallback = -3;

// A real window whose procedure goes through the boundary, as Horavia's
// windows do; each kRun message runs `handler` and answers its result.
class GuardedWindow {
 public:
  explicit GuardedWindow(MessageBoxes& boxes) : boundary_(boxes) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &GuardedWindow::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HoraviaBoundaryTest";
    ::RegisterClassW(&wc);
    hwnd_ = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                              nullptr, wc.hInstance, this);
  }
  GuardedWindow(const GuardedWindow&) = delete;
  GuardedWindow& operator=(const GuardedWindow&) = delete;
  ~GuardedWindow() { ::DestroyWindow(hwnd_); }

  LRESULT Send() { return ::SendMessageW(hwnd_, kRun, 0, 0); }

  std::function<LRESULT()> handler;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<GuardedWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr || message != kRun) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return self->boundary_.Run([&] { return self->handler(); }, kFallback);
  }

  ActionBoundary boundary_;
  HWND hwnd_ = nullptr;
};

TEST(ActionBoundaryTest, AThrowingHandlerIsToldInOneBoxAndTheWindowGoesOn) {
  fakes::FakeMessageBoxes boxes;
  GuardedWindow window(boxes);

  window.handler = []() -> LRESULT { throw std::bad_alloc(); };
  EXPECT_EQ(window.Send(), kFallback);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Horavia");
  EXPECT_EQ(boxes.shown[0].kind, BoxKind::Warning);
  EXPECT_EQ(boxes.shown[0].text,
            "Horavia could not complete an action: there is not enough memory.  Its files are "
            "left as they are.");

  // A handler that fails again under the box (a tick) adds no second box.
  window.handler = []() -> LRESULT { throw std::runtime_error("broken"); };
  boxes.whileOpen = [&](const fakes::FakeMessageBoxes::Shown&) {
    EXPECT_EQ(window.Send(), kFallback);
  };
  EXPECT_EQ(window.Send(), kFallback);
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
  MainWindowModel form(context);
  form.Start();
  ASSERT_FALSE(form.Controls().infoFrameVisible);

  GuardedWindow window(world.boxes);
  window.handler = [&]() -> LRESULT {
    form.Press(MainButton::Info);  // Info: the sound first, then the frame
    return 0;
  };
  EXPECT_EQ(window.Send(), kFallback);
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_FALSE(form.Controls().infoFrameVisible);
  EXPECT_EQ(window.Send(), 0);
  EXPECT_TRUE(form.Controls().infoFrameVisible);
  EXPECT_EQ(world.boxes.shown.size(), 1u);
}

}  // namespace
}  // namespace horavia::win32
