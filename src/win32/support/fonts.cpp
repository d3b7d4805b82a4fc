#include "win32/support/fonts.h"

#include <cwchar>

namespace horavia::win32 {

ScopedFont CreateDesignFont(const DesignFont& design, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(design.hundredthsOfPoint, static_cast<int>(dpi), 72 * 100);
  font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = design.italic ? TRUE : FALSE;
  font.lfUnderline = design.underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  std::wcsncpy(font.lfFaceName, design.face, LF_FACESIZE - 1);
  return ScopedFont(::CreateFontIndirectW(&font));
}

}  // namespace horavia::win32
