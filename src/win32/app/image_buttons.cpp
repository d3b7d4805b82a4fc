#include "win32/app/image_buttons.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "win32/app/design_units.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"
#include "windows/button_faces.h"
#include "windows/button_layout.h"
#include "windows/face_scaling.h"

namespace horavia::win32 {
namespace {

// The face fills its cell edge to edge: at 96 DPI the cell is the face's
// own 27 x 17 pixels, and at other DPIs it is stretched by nearest
// neighbour, here rather than by StretchBlt, so that which screen pixel
// shows which face pixel does not depend on the driver's rounding.
void PaintFace(HDC dc, const RECT& cell, ButtonFace face) {
  const int width = cell.right - cell.left;
  const int height = cell.bottom - cell.top;
  const std::vector<Rgb> pixels = ScaleFace(FacePixels(face), width, height);
  if (pixels.empty()) return;
  std::vector<uint32_t> bgrx(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    bgrx[i] = (uint32_t{pixels[i].r} << 16) | (uint32_t{pixels[i].g} << 8) | pixels[i].b;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the face is stored
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ::SetDIBitsToDevice(dc, cell.left, cell.top, static_cast<DWORD>(width),
                      static_cast<DWORD>(height), 0, 0, 0, static_cast<UINT>(height), bgrx.data(),
                      &info, DIB_RGB_COLORS);
}

void PaintCaption(HDC dc, const ImageButtonLayout& button, UINT dpi) {
  RECT rect = TwipsToPixelRect(button.CaptionRect(), dpi);
  const std::wstring text = Widen(button.caption);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

RECT ImageButtonRect(int index, UINT dpi) {
  if (index < 0 || index >= kButtonCount) return {};
  return TwipsToPixelRect(kImageButtons[static_cast<size_t>(index)].Cell(), dpi);
}

void PaintImageButtons(HDC dc, UINT dpi, const MainFonts& fonts, const MainControls& controls) {
  SelectInDc font(dc, fonts.Get(FontKind::Text));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(colors::kWhite));
  for (int i = 0; i < kButtonCount; ++i) {
    const auto at = static_cast<size_t>(i);
    PaintCaption(dc, kImageButtons[at], dpi);
    PaintFace(dc, ImageButtonRect(i, dpi), controls.buttons[at].face);
  }
}

}  // namespace horavia::win32
