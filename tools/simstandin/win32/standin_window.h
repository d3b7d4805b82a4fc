#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "ports/clock.h"
#include "base/exception_boundary.h"
#include "simstandin/core/stand_in.h"

namespace simstandin {

// The PC's local clock, which the simulated one runs with.
class PcClock final : public horavia::Clock {
 public:
  horavia::LocalDateTime Now() override;
  void Sleep(int32_t milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
};

// The stand-in's top-level window: it carries FSUIPC's class name, answers
// the registered message by serving the named block, and shows the
// simulated clock and the current message text.
class StandInWindow {
 public:
  // Posted by the input thread; lParam owns a heap std::string with the line.
  static constexpr UINT kCommandMessage = WM_APP + 1;

  StandInWindow(HINSTANCE instance, const char* className, StandIn& standIn);
  StandInWindow(const StandInWindow&) = delete;
  StandInWindow& operator=(const StandInWindow&) = delete;
  ~StandInWindow();

  HWND Handle() const { return hwnd_; }

  // Set and cleared by the input thread at once, not in queue order, so that
  // "answer" reaches a window that is busy not answering.
  std::atomic<bool> hanging{false};
  HANDLE hangReleased = nullptr;  // manual-reset event, set while not hanging

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnIpc(WPARAM wParam);
  void OnCommand(LPARAM lParam);
  void OnTimer(WPARAM id);
  void ShowMessageIfNew();
  void ShowClock();

  StandIn& standIn_;
  const char* className_;
  HINSTANCE instance_;
  UINT ipcMessage_ = 0;
  HWND hwnd_ = nullptr;
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
