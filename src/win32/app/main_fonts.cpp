#include "win32/app/main_fonts.h"

#include "win32/support/fonts.h"

namespace horavia::win32 {

// The text font is Arial 8.25 pt bold, the clock's Impact 18 pt italic, and
// the text commands' the text font underlined, as a link.
void MainFonts::Create(UINT dpi) {
  text_ = CreateDesignFont({L"Arial", 825, true, false, false}, dpi);
  clock_ = CreateDesignFont({L"Impact", 1800, false, true, false}, dpi);
  link_ = CreateDesignFont({L"Arial", 825, true, false, true}, dpi);
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
