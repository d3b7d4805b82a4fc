#include "simlink/link.h"

namespace horavia {

void Link::LinkClose() {
  state_.window = 0;
  state_.message = 0;
  state_.next = nullptr;
  if (state_.atom != 0) {
    ipc_.DeleteAtom(static_cast<uint16_t>(state_.atom));
    state_.atom = 0;
  }
  if (state_.view != nullptr) {
    ipc_.UnmapView(state_.view);
    state_.view = nullptr;
  }
  if (state_.mapping != 0) {
    ipc_.CloseHandle(state_.mapping);
    state_.mapping = 0;
  }
}

}  // namespace horavia
