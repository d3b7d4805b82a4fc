#include "win32/app/main_fonts.h"

#include <cwchar>

namespace horavia::win32 {
namespace {

// `hundredths` of a point: the text font is 8.25 pt.
HFONT MakeFont(const wchar_t* face, int hundredths, UINT dpi, bool italic, bool underline) {
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(hundredths, static_cast<int>(dpi), 72 * 100);
  lf.lfWeight = italic ? FW_NORMAL : FW_BOLD;
  lf.lfItalic = italic ? TRUE : FALSE;
  lf.lfUnderline = underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return ::CreateFontIndirectW(&lf);
}

}  // namespace

void MainFonts::Create(UINT dpi) {
  text_.Reset(MakeFont(L"Arial", 825, dpi, false, false));
  clock_.Reset(MakeFont(L"Impact", 1800, dpi, true, false));
  link_.Reset(MakeFont(L"Arial", 825, dpi, false, true));
}

HFONT MainFonts::Get(FontKind kind) const {
  switch (kind) {
    case FontKind::Clock:
      return clock_.Get();
    case FontKind::Link:
      return link_.Get();
    case FontKind::Text:
      break;
  }
  return text_.Get();
}

}  // namespace horavia::win32
