#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "base/exception_boundary.h"
#include "ports/clock.h"
#include "simstandin/core/stand_in.h"
#include "win32/support/scoped_win.h"
#include "win32/support/window_base.h"

namespace simstandin {

// The PC's local clock, where the simulated one starts, and the system's
// elapsed time, on which it runs.
class PcClock final : public horavia::Clock {
 public:
  horavia::LocalDateTime Now() override;
  int64_t ElapsedMs() override;
  void Sleep(int32_t milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
};

// The stand-in's top-level window: it carries FSUIPC's class name, answers
// the registered message by serving the named block, and shows the
// simulated clock and the current message text.
class StandInWindow : public horavia::win32::WindowBase<StandInWindow> {
 public:
  // Posted by the input thread; lParam owns a heap std::string with the line.
  static constexpr UINT kCommandMessage = WM_APP + 1;

  StandInWindow(const char* className, StandIn& standIn);

  // Set and cleared by the input thread at once, not in queue order, so that
  // "answer" reaches a window that is busy not answering.
  std::atomic<bool> hanging{false};
  // A manual-reset event, set while not hanging.
  horavia::win32::ScopedHandle hangReleased{::CreateEventW(nullptr, TRUE, TRUE, nullptr)};

 private:
  friend class horavia::win32::WindowBase<StandInWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // No box: the stand-in runs unattended under the tests, which read the
  // journal.
  static void ReportFailure(horavia::ActionFailure failure);

  void OnCreate();
  LRESULT OnIpc(WPARAM wParam);
  void OnCommand(LPARAM lParam);
  void OnTimer(WPARAM id);
  void OnDestroy();
  void ShowMessageIfNew();
  void ShowClock();

  StandIn& standIn_;
  UINT ipcMessage_ = 0;
  HWND clockLabel_ = nullptr;
  HWND messageLabel_ = nullptr;
  uint32_t messageShows_ = 0;
};

// Writes one journal line to standard output at once.
void JournalLine(const std::string& line);
// The journal line of an exception stopped at the edge of a window
// procedure, a thread or main.
void JournalFailure(horavia::ActionFailure failure);

}  // namespace simstandin
