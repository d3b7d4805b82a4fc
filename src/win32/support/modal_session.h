#pragma once

#include <windows.h>

#include <functional>

namespace horavia::win32 {

// The program's one way of showing a window modally, as a dialog box is
// shown: its owner is disabled for as long as the session lasts, and the
// session's loop dispatches every message of the thread, so the owner's
// timers keep ticking underneath. The keys of a dialog box (Tab and the
// arrows between the controls, Enter for the default button, Esc as
// IDCANCEL, the access keys) go through IsDialogMessage; the window names
// its default button by answering DM_GETDEFID.
class ModalSession {
 public:
  // `window` exists, hidden, owned by `owner`.
  ModalSession(HWND window, HWND owner);
  ModalSession(const ModalSession&) = delete;
  ModalSession& operator=(const ModalSession&) = delete;
  // The owner is enabled again before the window is hidden, so that it gets
  // the activation back rather than some other program.
  ~ModalSession();

  // Shows the window and dispatches messages until `done` holds after one,
  // or the window is gone. The thread's WM_QUIT ends it early and is posted
  // again for the owner's own loop.
  void Run(const std::function<bool()>& done);

 private:
  HWND window_;
  HWND owner_;
  bool ownerWasEnabled_;
};

// The control of a window that had the keyboard focus when the window was
// last active, given it back when the window is active again; a plain
// window would otherwise take the focus itself, where a dialog box gives it
// back to its control.
class FocusMemory {
 public:
  // For WM_ACTIVATE. `first` gets the focus when no control had it yet.
  void OnActivate(HWND window, bool active, HWND first);

 private:
  HWND lastFocus_ = nullptr;
};

}  // namespace horavia::win32
