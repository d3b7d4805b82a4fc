#pragma once

#include <new>
#include <utility>

namespace horavia {

// Why an action stopped half-way with an exception.
enum class ActionFailure { OutOfMemory, Other };

// Runs `action` and gives back its result. An exception that `action` lets
// out stops here: this is called where no exception may pass, at the edge
// of a window procedure, a dialog procedure, a thread or a program's main,
// since Windows' own frames beneath cannot unwind it. The failure goes to
// `report` (a report that fails in turn is dropped) and `fallback` is given
// back, so the caller goes on.
template <typename Result, typename Action, typename Report>
Result CatchAtBoundary(Action&& action, Result fallback, Report&& report) noexcept {
  ActionFailure failure = ActionFailure::Other;
  try {
    return std::forward<Action>(action)();
  } catch (const std::bad_alloc&) {
    failure = ActionFailure::OutOfMemory;
  } catch (...) {
    failure = ActionFailure::Other;
  }
  // Reported once the exception is gone, with whatever memory it held.
  try {
    std::forward<Report>(report)(failure);
  } catch (...) {
    // Nothing is left to tell it with.
  }
  return fallback;
}

}  // namespace horavia
