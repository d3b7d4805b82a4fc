#include "win32/support/action_boundary.h"

#include "base/program_title.h"

namespace horavia::win32 {

const char* ActionBoundary::TextFor(ActionFailure failure) {
  if (failure == ActionFailure::OutOfMemory) {
    return "Horavia could not complete an action: there is not enough memory.  Its files are "
           "left as they are.";
  }
  return "Horavia could not complete an action because of an unexpected error.  Its files are "
         "left as they are.";
}

void ActionBoundary::Report(ActionFailure failure) {
  if (silent_ || telling_) return;
  struct Telling {
    bool& flag;
    explicit Telling(bool& f) : flag(f) { flag = true; }
    Telling(const Telling&) = delete;
    Telling& operator=(const Telling&) = delete;
    ~Telling() { flag = false; }
  } const telling(telling_);
  boxes_->Show(TextFor(failure), kProgramTitle, BoxKind::Warning);
}

}  // namespace horavia::win32
