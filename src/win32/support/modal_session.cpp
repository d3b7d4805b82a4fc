#include "win32/support/modal_session.h"

namespace horavia::win32 {

ModalSession::ModalSession(HWND window, HWND owner)
    : window_(window),
      owner_(owner),
      ownerWasEnabled_(owner != nullptr && ::EnableWindow(owner, FALSE) == 0) {}

ModalSession::~ModalSession() {
  if (ownerWasEnabled_) ::EnableWindow(owner_, TRUE);
  ::ShowWindow(window_, SW_HIDE);
  if (owner_ != nullptr) ::SetActiveWindow(owner_);
}

void ModalSession::Run(const std::function<bool()>& done) {
  ::ShowWindow(window_, SW_SHOW);
  MSG msg{};
  while (!done() && ::IsWindow(window_)) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (got < 0) return;
    if (!::IsDialogMessageW(window_, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
}

void FocusMemory::OnActivate(HWND window, bool active, HWND first) {
  if (!active) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window, focus)) lastFocus_ = focus;
    return;
  }
  ::SetFocus(lastFocus_ != nullptr && ::IsWindowEnabled(lastFocus_) ? lastFocus_ : first);
}

}  // namespace horavia::win32
