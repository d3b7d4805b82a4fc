#include "win32/app/main_painter.h"

#include "win32/app/image_buttons.h"
#include "win32/app/design_units.h"
#include "win32/support/dpi.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"
#include "windows/main_layout.h"

namespace horavia::win32 {
namespace {

void Fill(HDC dc, const RECT& rect, Rgb color) {
  ScopedBrush brush(::CreateSolidBrush(ToColorRef(color)));
  ::FillRect(dc, &rect, brush.Get());
}

// A frame is a green panel with an etched border; a caption sits in a gap of
// the top border line, as on a group box.
void PaintFrame(HDC dc, const LayoutEntry& entry, UINT dpi, const MainFonts& fonts) {
  const RECT rect = TwipsToPixelRect(AbsoluteRect(entry), dpi);
  Fill(dc, rect, colors::kFrameGreen);
  RECT border = rect;
  const std::wstring caption = Widen(entry.caption);
  SelectInDc font(dc, fonts.Get(FontKind::Text));
  SIZE text{};
  if (!caption.empty()) {
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    border.top += text.cy / 2;
  }
  ::DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
  if (caption.empty()) return;
  const int inset = TwipsToPixels(90, dpi);
  ::SetBkMode(dc, OPAQUE);
  ::SetBkColor(dc, ToColorRef(colors::kFrameGreen));
  ::SetTextColor(dc, ToColorRef(entry.color));
  ::TextOutW(dc, rect.left + inset, rect.top, caption.c_str(), static_cast<int>(caption.size()));
}

// Labels draw without their own background: they sit on their frame's green,
// which is their background colour too, and so overlapping labels (the clock
// and its AM/PM lamps) do not blank each other out. Text keeps to one line,
// clipped at the label's edge, so a long date never runs into the line below.
void PaintLabel(HDC dc, const LayoutEntry& entry, UINT dpi, const MainFonts& fonts,
                const MainControls& controls) {
  const ShownLabel shown = LabelContent(entry, controls);
  if (shown.caption.empty()) return;
  RECT rect = TwipsToPixelRect(AbsoluteRect(entry), dpi);
  const std::wstring text = Widen(shown.caption);
  SelectInDc font(dc, fonts.Get(entry.font));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColorRef(shown.color));
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void PaintMainWindow(HDC dc, const RECT& client, UINT dpi, const MainFonts& fonts,
                     const MainControls& controls) {
  Fill(dc, client, colors::kWindowGrey);
  for (const LayoutEntry& entry : kMainLayout) {
    if (!IsShown(entry, controls)) continue;
    if (entry.kind == ControlKind::Frame) {
      PaintFrame(dc, entry, dpi, fonts);
    } else {
      PaintLabel(dc, entry, dpi, fonts, controls);
    }
  }
  PaintImageButtons(dc, dpi, fonts, controls);
}

}  // namespace horavia::win32
