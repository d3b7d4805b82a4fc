#include "win32/support/fonts.h"

#include <cwchar>

namespace horavia::win32 {

ScopedFont CreateDesignFont(const FontSpec& spec, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -::MulDiv(spec.hundredthsOfPoint, static_cast<int>(dpi), 72 * 100);
  font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = spec.italic ? TRUE : FALSE;
  font.lfUnderline = spec.underline ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  std::wcsncpy(font.lfFaceName, spec.face, LF_FACESIZE - 1);
  return ScopedFont(::CreateFontIndirectW(&font));
}

}  // namespace horavia::win32
