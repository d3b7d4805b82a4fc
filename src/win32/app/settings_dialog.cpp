#include "win32/app/settings_dialog.h"

#include <uxtheme.h>

#include <array>
#include <cwchar>
#include <string>
#include <utility>

#include "win32/app/pixel_rect.h"
#include "win32/app/resource_ids.h"
#include "win32/app/settings_dialog_layout.h"
#include "win32/support/action_boundary.h"
#include "win32/support/dpi.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"
#include "win32/ports/win32_message_boxes.h"
#include "win32/support/win_dyn_calls.h"

namespace horavia::win32 {
namespace {

using settings_layout::Control;
using settings_layout::Kind;
using settings_layout::kControls;
using settings_layout::kFrames;

// A fixed dialog frame with the close box only; owned by the main window and
// without WS_EX_APPWINDOW, so it stays out of the taskbar.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr COLORREF kWindowGrey = RGB(128, 128, 128);
constexpr COLORREF kFrameGrey = RGB(64, 64, 64);
constexpr COLORREF kListGreen = RGB(0, 64, 0);
constexpr COLORREF kListText = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// How far the dropped list of a drop-down reaches below its field.
constexpr int kDroppedListTwips = 2700;

// The whole dialog is laid out in code, so the template is empty: no
// controls, no menu, the default class, no title.
struct alignas(DWORD) EmptyDialogTemplate {
  DLGTEMPLATE head;
  // Windows reads these (all zero); the program never names them.
  WORD menu;         // cppcheck-suppress unusedStructMember
  WORD windowClass;  // cppcheck-suppress unusedStructMember
  WORD title;        // cppcheck-suppress unusedStructMember
};

// `hundredths` of a point at the window's DPI.
HFONT MakeFont(const wchar_t* face, int hundredths, UINT dpi, bool bold) {
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(hundredths, static_cast<int>(dpi), 72 * 100);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return ::CreateFontIndirectW(&lf);
}

HICON ProgramIcon(int metricX, int metricY) {
  const int cx = ::GetSystemMetrics(metricX);
  const int cy = ::GetSystemMetrics(metricY);
  auto icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                              MAKEINTRESOURCEW(IDI_HORAVIA), IMAGE_ICON, cx, cy,
                                              LR_SHARED));
  if (icon == nullptr) {
    icon = static_cast<HICON>(
        ::LoadImageW(nullptr, IDI_APPLICATION, IMAGE_ICON, cx, cy, LR_SHARED));
  }
  return icon;
}

class SettingsDialog {
 public:
  explicit SettingsDialog(SettingsDialogModel& model) : model_(model) {}
  SettingsDialog(const SettingsDialog&) = delete;
  SettingsDialog& operator=(const SettingsDialog&) = delete;

  // A dialog that could not be opened whole is closed again at once: its
  // model stores nothing then.
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
      ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
      auto* self = reinterpret_cast<SettingsDialog*>(lParam);
      bool opened = false;
      const INT_PTR result = self->boundary_.Run(
          [&] {
            const INT_PTR focusSet = self->OnInitDialog(hwnd);
            opened = true;
            return focusSet;
          },
          INT_PTR{TRUE});
      if (!opened) ::EndDialog(hwnd, IDCANCEL);
      return result;
    }
    auto* self = reinterpret_cast<SettingsDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (self == nullptr) return FALSE;
    return self->boundary_.Run([&] { return self->HandleMessage(message, wParam, lParam); },
                               INT_PTR{FALSE});
  }

 private:
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
      case WM_CLOSE:
        OnClose();
        return TRUE;
      case WM_ENDSESSION:
        // Windows ends the session: the dialog goes as with its close box,
        // and the settings stay as they were before it opened.
        if (wParam != FALSE) {
          boundary_.Silence();
          OnClose();
        }
        return TRUE;
      case WM_PAINT:
        OnPaint();
        return TRUE;
      case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(windowBrush_.Get());
      case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      case WM_CTLCOLOREDIT:  // a list's field
      case WM_CTLCOLORLISTBOX:  // its dropped list
        return OnCtlColorList(reinterpret_cast<HDC>(wParam));
      case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
      default:
        return FALSE;
    }
  }

  INT_PTR OnInitDialog(HWND hwnd) {
    hwnd_ = hwnd;
    dpi_ = EffectiveDpi(hwnd);
    ::SetWindowTextW(hwnd_, Widen(model_.Controls().caption).c_str());
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG,
                   reinterpret_cast<LPARAM>(ProgramIcon(SM_CXICON, SM_CYICON)));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL,
                   reinterpret_cast<LPARAM>(ProgramIcon(SM_CXSMICON, SM_CYSMICON)));
    // A help box belongs to this window, so that it blocks it and stays in
    // front of it rather than of the main window.
    boxes_.SetOwner(hwnd_);
    model_.UseMessageBoxes(boxes_);

    model_.Form_Load();
    windowBrush_.Reset(::CreateSolidBrush(kWindowGrey));
    frameBrush_.Reset(::CreateSolidBrush(kFrameGrey));
    listBrush_.Reset(::CreateSolidBrush(kListGreen));
    CreateControls();
    Layout();
    PlaceCentred();
    Mirror();
    ::SetFocus(windows_[0]);
    return FALSE;  // the focus is set
  }

  void CreateControls() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const SettingsControls& shown = model_.Controls();
    HWND previous = HWND_TOP;
    for (size_t i = 0; i < kControls.size(); ++i) {
      const Control& control = kControls[i];
      DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
      const wchar_t* windowClass = L"BUTTON";
      std::wstring text;
      switch (control.kind) {
        case Kind::DefaultButton:
          style |= BS_DEFPUSHBUTTON;
          break;
        case Kind::Button:
          style |= BS_PUSHBUTTON;
          break;
        case Kind::Check:
          style |= BS_AUTOCHECKBOX;
          break;
        case Kind::List:
          style |= CBS_DROPDOWNLIST | WS_VSCROLL;
          windowClass = L"COMBOBOX";
          break;
      }
      if (control.caption != nullptr) text = Widen((shown.*control.caption).caption);
      if (control.box != nullptr) text = Widen((shown.*control.box).caption);
      const HWND window = ::CreateWindowExW(
          0, windowClass, text.c_str(), style, 0, 0, 0, 0, hwnd_,
          reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
      windows_[i] = window;
      // Visual styles draw check boxes and lists in their own colours; the
      // design's colours need the classic look for these two.
      if (control.kind == Kind::Check || control.kind == Kind::List) {
        ::SetWindowTheme(window, L"", L"");
      }
      if (control.list != nullptr) FillList(window, shown.*control.list);
      // The tab order is the order of the windows among their siblings.
      ::SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      previous = window;
    }
  }

  static void FillList(HWND list, const ComboBoxState& state) {
    ::SendMessageW(list, CB_INITSTORAGE, state.items.size(),
                   static_cast<LPARAM>(state.items.size() * 8));
    for (const std::string& item : state.items) {
      ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
  }

  int Px(int twips) const { return TwipsToPixels(twips, dpi_); }

  RECT PixelRect(const TwipsRect& rect) const { return TwipsToPixelRect(rect, dpi_); }

  // Fonts, places and list field heights at `dpi_`.
  void Layout() {
    // The old fonts go only after every control has let go of them.
    ScopedFont text(MakeFont(L"Arial", 825, dpi_, true));
    ScopedFont help(MakeFont(L"Arial", 1125, dpi_, true));
    for (size_t i = 0; i < kControls.size(); ++i) {
      const Control& control = kControls[i];
      const HWND window = windows_[i];
      const HFONT font = control.font == settings_layout::Font::Help ? help.Get() : text.Get();
      ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      const RECT place = PixelRect(settings_layout::ClientRect(control));
      const int height = place.bottom - place.top;
      const int dropped = control.kind == Kind::List ? Px(kDroppedListTwips) : 0;
      ::MoveWindow(window, place.left, place.top, place.right - place.left, height + dropped,
                   TRUE);
      if (control.kind == Kind::List) FitListField(window, height);
    }
    textFont_ = std::move(text);
    helpFont_ = std::move(help);
    frameFont_.Reset(MakeFont(L"MS Shell Dlg 2", 825, dpi_, false));
  }

  // A drop-down list's field is as high as its font makes it; the item
  // height of the field is changed until the field has the designed height.
  static void FitListField(HWND list, int height) {
    RECT shown{};
    ::GetWindowRect(list, &shown);
    const int itemHeight = static_cast<int>(::SendMessageW(list, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    const int wanted = itemHeight + height - (shown.bottom - shown.top);
    if (itemHeight > 0 && wanted > 0 && wanted != itemHeight) {
      ::SendMessageW(list, CB_SETITEMHEIGHT, WPARAM(-1), wanted);
    }
  }

  // Gives the window the designed client area at `dpi_` with its top left
  // corner at `left`, `top`. The frame is measured rather than trusted: when
  // the DPI is overridden the caption keeps the real DPI's height.
  void SizeAt(int left, int top) {
    const int width = Px(settings_layout::kClientWidthTwips);
    const int height = Px(settings_layout::kClientHeightTwips);
    RECT frame{0, 0, width, height};
    DynAdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi_);
    ::SetWindowPos(hwnd_, nullptr, left, top, frame.right - frame.left,
                   frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (client.right != width || client.bottom != height) {
      RECT window{};
      ::GetWindowRect(hwnd_, &window);
      ::SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left + width - client.right,
                     window.bottom - window.top + height - client.bottom,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
  }

  void PlaceCentred() {
    SizeAt(0, 0);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    const int left = work.left + (work.right - work.left - (window.right - window.left)) / 2;
    const int top = work.top + (work.bottom - work.top - (window.bottom - window.top)) / 2;
    ::SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
  }

  void OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = DpiOverride().value_or(dpi);
    Layout();
    SizeAt(suggested.left, suggested.top);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
  }

  // Only the events the model handles are mirrored back: a list reports
  // CBN_SELENDOK before CBN_SELCHANGE, and mirroring then would undo the
  // user's pick before the model has heard of it.
  void OnCommand(int id, int code) {
    for (size_t i = 0; i < kControls.size(); ++i) {
      const Control& control = kControls[i];
      if (control.id != id) continue;
      const HWND window = windows_[i];
      if (control.click != nullptr && code == BN_CLICKED) {
        (model_.*control.click)();
      } else if (control.check != nullptr && code == BN_CLICKED) {
        (model_.*control.check)(::SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED);
      } else if (control.pick != nullptr && code == CBN_SELCHANGE) {
        (model_.*control.pick)(static_cast<int>(::SendMessageW(window, CB_GETCURSEL, 0, 0)));
      } else {
        return;
      }
      Mirror();
      return;
    }
  }

  // The close box (and Alt+F4) is not Cancel: it closes without a sound.
  void OnClose() {
    model_.Form_QueryUnload();
    Mirror();
  }

  // Shows what the model holds and ends the dialog once the model closed.
  void Mirror() {
    const SettingsControls& shown = model_.Controls();
    for (size_t i = 0; i < kControls.size(); ++i) {
      const Control& control = kControls[i];
      const HWND window = windows_[i];
      if (control.list != nullptr) {
        const ComboBoxState& list = shown.*control.list;
        if (::SendMessageW(window, CB_GETCURSEL, 0, 0) != list.listIndex) {
          ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(list.listIndex), 0);
        }
        if ((::IsWindowEnabled(window) != FALSE) != list.enabled) {
          ::EnableWindow(window, list.enabled ? TRUE : FALSE);
        }
      }
      if (control.box != nullptr) {
        const WPARAM state = (shown.*control.box).checked ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(::SendMessageW(window, BM_GETCHECK, 0, 0)) != state) {
          ::SendMessageW(window, BM_SETCHECK, state, 0);
        }
      }
    }
    if (model_.Closed()) ::EndDialog(hwnd_, model_.Stored() ? IDOK : IDCANCEL);
  }

  INT_PTR OnCtlColorStatic(HDC dc, HWND control) {
    wchar_t windowClass[16] = {};
    ::GetClassNameW(control, windowClass, 16);
    if (::lstrcmpiW(windowClass, L"ComboBox") == 0) {
      // Only a disabled list asks this: the sync interval while ON, greyed.
      ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
      ::SetBkColor(dc, kListGreen);
      return reinterpret_cast<INT_PTR>(listBrush_.Get());
    }
    ::SetTextColor(dc, kWhite);
    ::SetBkColor(dc, kFrameGrey);
    return reinterpret_cast<INT_PTR>(frameBrush_.Get());
  }

  INT_PTR OnCtlColorList(HDC dc) {
    ::SetTextColor(dc, kListText);
    ::SetBkColor(dc, kListGreen);
    return reinterpret_cast<INT_PTR>(listBrush_.Get());
  }

  // Frames: dark grey panels with an etched border and the caption in white
  // across its top line.
  void OnPaint() {
    PaintDc paint(hwnd_);
    const HDC dc = paint.Get();
    SelectInDc font(dc, frameFont_.Get());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SetTextColor(dc, kWhite);
    ::SetBkColor(dc, kFrameGrey);
    const SettingsControls& shown = model_.Controls();
    for (const settings_layout::Frame& frame : kFrames) {
      RECT panel = PixelRect(frame.rect);
      ::FillRect(dc, &panel, frameBrush_.Get());
      RECT edge = panel;
      edge.top += metrics.tmHeight / 2;
      ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
      const std::wstring caption = Widen((shown.*frame.caption).caption);
      SIZE extent{};
      ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
      const int left = panel.left + Px(120);
      RECT text{left - Px(30), panel.top, left + extent.cx + Px(30), panel.top + metrics.tmHeight};
      ::ExtTextOutW(dc, left, panel.top, ETO_OPAQUE, &text, caption.c_str(),
                    static_cast<UINT>(caption.size()), nullptr);
    }
  }

  SettingsDialogModel& model_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::array<HWND, kControls.size()> windows_{};
  Win32MessageBoxes boxes_;
  ActionBoundary boundary_{boxes_};
  ScopedBrush windowBrush_;
  ScopedBrush frameBrush_;
  ScopedBrush listBrush_;
  ScopedFont textFont_;
  ScopedFont helpFont_;
  ScopedFont frameFont_;
};

}  // namespace

bool ShowSettingsDialog(HWND owner, SettingsDialogModel& model) {
  SettingsDialog dialog(model);
  EmptyDialogTemplate layout{};
  layout.head.style = kStyle;
  layout.head.dwExtendedStyle = kExStyle;
  ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), &layout.head, owner,
                            &SettingsDialog::DialogProc, reinterpret_cast<LPARAM>(&dialog));
  // A dialog that could not be made stores nothing; either way the model is
  // closed now, so nothing reaches the help boxes of the gone window.
  if (!model.Closed()) model.Form_QueryUnload();
  return model.Stored();
}

}  // namespace horavia::win32
