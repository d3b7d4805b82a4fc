#include "win32/ports/win32_message_boxes.h"

#include "win32/support/wide_text.h"

namespace horavia::win32 {

BoxAnswer Win32MessageBoxes::Show(const std::string& text, const std::string& title,
                                  BoxKind kind) {
  UINT style = MB_OK;
  if (kind == BoxKind::Warning) style = MB_OK | MB_ICONEXCLAMATION;
  if (kind == BoxKind::Question) style = MB_YESNO;
  const int answer = ::MessageBoxW(owner_, Widen(text).c_str(), Widen(title).c_str(), style);
  if (answer == IDYES) return BoxAnswer::Yes;
  if (answer == IDNO) return BoxAnswer::No;
  return BoxAnswer::Ok;
}

}  // namespace horavia::win32
