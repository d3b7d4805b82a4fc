#pragma once

#include <utility>

#include "base/exception_boundary.h"
#include "ports/message_boxes.h"

namespace horavia::win32 {

// The edge of one of Horavia's windows: a handler that ends in an exception
// is stopped there, and a "Horavia" box tells the user that the action
// could not be completed and that the files are left as they are (a file is
// only ever replaced in one step or appended to in one write, and an
// exception comes before or after either); the window goes on. The models'
// handlers hold their state in scopes that unwind, so the next event finds
// them usable.
class ActionBoundary {
 public:
  explicit ActionBoundary(MessageBoxes& boxes) : boxes_(&boxes) {}
  ActionBoundary(const ActionBoundary&) = delete;
  ActionBoundary& operator=(const ActionBoundary&) = delete;

  template <typename Result, typename Action>
  Result Run(Action&& action, Result fallback) noexcept {
    return CatchAtBoundary(std::forward<Action>(action), fallback,
                           [this](ActionFailure failure) { Report(failure); });
  }

  // Tells of an action stopped elsewhere, at a window procedure's edge
  // (see WindowBase). One box at a time: the ticks that go on under it may
  // fail the same way.
  void Report(ActionFailure failure);

  // No box from now on: Windows is ending the session, and a box would hold
  // it up.
  void Silence() { silent_ = true; }

  // The box's text for each cause.
  static const char* TextFor(ActionFailure failure);

 private:

  MessageBoxes* boxes_;
  bool telling_ = false;
  bool silent_ = false;
};

}  // namespace horavia::win32
