#include "win32/app/settings_dialog.h"

#include <uxtheme.h>

#include <array>
#include <string>
#include <utility>

#include "win32/app/design_units.h"
#include "win32/app/owned_window.h"
#include "win32/app/settings_dialog_layout.h"
#include "win32/support/child_windows.h"
#include "win32/support/fonts.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"

namespace horavia::win32 {
namespace {

using settings_layout::Control;
using settings_layout::kControls;
using settings_layout::Kind;
using settings_layout::Role;

constexpr wchar_t kClassName[] = L"HoraviaSettings";
// A fixed dialog frame with the close box only; owned by the main window and
// without WS_EX_APPWINDOW, so it stays out of the taskbar.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr Rgb kFrameGrey{64, 64, 64};

// How far the dropped list of a drop-down reaches below its field.
constexpr int kDroppedListTwips = 2700;

// The system class of a kind of control, and the styles that make it that kind.
struct ControlClass {
  const wchar_t* name;
  DWORD style;
};

ControlClass ControlClassFor(Kind kind) {
  switch (kind) {
    case Kind::DefaultButton:
      return {L"BUTTON", BS_DEFPUSHBUTTON};
    case Kind::Check:
      return {L"BUTTON", BS_AUTOCHECKBOX};
    case Kind::List:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL};
    case Kind::Button:
      break;
  }
  return {L"BUTTON", BS_PUSHBUTTON};
}

void FillList(HWND list, const ComboBoxState& state) {
  ::SendMessageW(list, CB_INITSTORAGE, state.items.size(),
                 static_cast<LPARAM>(state.items.size() * 8));
  for (const std::string& item : state.items) {
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  }
}

// A drop-down list's field is as high as its font makes it; the item
// height of the field is changed until the field has the designed height.
void FitListField(HWND list, int height) {
  RECT shown{};
  ::GetWindowRect(list, &shown);
  const int itemHeight = static_cast<int>(::SendMessageW(list, CB_GETITEMHEIGHT, WPARAM(-1), 0));
  const int wanted = itemHeight + height - (shown.bottom - shown.top);
  if (itemHeight > 0 && wanted > 0 && wanted != itemHeight) {
    ::SendMessageW(list, CB_SETITEMHEIGHT, WPARAM(-1), wanted);
  }
}

void MirrorList(HWND window, const ComboBoxState& list) {
  if (::SendMessageW(window, CB_GETCURSEL, 0, 0) != list.listIndex) {
    ::SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(list.listIndex), 0);
  }
  if ((::IsWindowEnabled(window) != FALSE) != list.enabled) {
    ::EnableWindow(window, list.enabled ? TRUE : FALSE);
  }
}

void MirrorBox(HWND window, const CheckBoxState& box) {
  const WPARAM state = box.checked ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(::SendMessageW(window, BM_GETCHECK, 0, 0)) != state) {
    ::SendMessageW(window, BM_SETCHECK, state, 0);
  }
}

class SettingsDialog : public OwnedWindow<SettingsDialog> {
 public:
  explicit SettingsDialog(SettingsDialogModel& model) : model_(model) {}

  // Runs the whole opening, from the window's creation to its closing.
  void ShowModal(HWND owner);

 private:
  friend class WindowBase<SettingsDialog>;
  friend class OwnedWindow<SettingsDialog>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateControls();
  HWND CreateControl(const Control& control);
  void Layout();
  void Relayout();
  HWND FirstControl() const { return windows_[0]; }

  void OnCommand(int id, int code);
  // Hands a control's event to the model; false for events it does not take.
  bool Forward(const Control& control, HWND window, int code);
  void Select(const Control& control, int item);
  void Click(const Control& control, bool checked);
  void OnClose();
  void OnEndSession();
  // Shows what the model holds.
  void Mirror();

  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  LRESULT OnCtlColorList(HDC dc);
  void OnEraseBackground(HDC dc);
  void OnPaint();
  void PaintGroupBox(HDC dc, const settings_layout::GroupBox& box, int captionHeight);

  SettingsDialogModel& model_;
  std::array<HWND, kControls.size()> windows_{};
  ScopedBrush windowBrush_{::CreateSolidBrush(ToColorRef(colors::kWindowGrey))};
  ScopedBrush frameBrush_{::CreateSolidBrush(ToColorRef(kFrameGrey))};
  ScopedBrush listBrush_{::CreateSolidBrush(ToColorRef(colors::kFrameGreen))};
  ScopedFont textFont_;
  ScopedFont helpFont_;
  ScopedFont frameFont_;
};

// A help box belongs to this window, so that it blocks it and stays in
// front of it rather than of the main window.
void SettingsDialog::ShowModal(HWND owner) {
  if (!CreateOwned(owner, kClassName, model_.Controls().caption, kStyle, kExStyle)) return;
  ModalSession session(Hwnd(), owner);
  model_.UseMessageBoxes(Boxes());
  model_.Open();
  CreateControls();
  Layout();
  PlaceCentred(Hwnd(), Px(settings_layout::kClientWidthTwips),
               Px(settings_layout::kClientHeightTwips), Dpi());
  Mirror();
  session.Run([this] { return model_.Closed(); });
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommonMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CTLCOLOREDIT:     // a list's field
    case WM_CTLCOLORLISTBOX:  // its dropped list
      return OnCtlColorList(reinterpret_cast<HDC>(wParam));
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

void SettingsDialog::CreateControls() {
  HWND previous = HWND_TOP;
  for (size_t i = 0; i < kControls.size(); ++i) {
    const HWND window = CreateControl(kControls[i]);
    windows_[i] = window;
    // The tab order is the order of the windows among their siblings.
    ::SetWindowPos(window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = window;
  }
}

HWND SettingsDialog::CreateControl(const Control& control) {
  const SettingsDialogControls& shown = model_.Controls();
  const Kind kind = settings_layout::KindOf(control.role);
  const ControlClass controlClass = ControlClassFor(kind);
  const std::wstring text = Widen(settings_layout::CaptionOf(shown, control));
  const HWND window = CreateChild(Hwnd(), controlClass.name, text.c_str(),
                                  WS_TABSTOP | controlClass.style, control.id);
  // Visual styles draw check boxes and lists in their own colours; the
  // design's colours need the classic look for these two.
  if (kind == Kind::Check || kind == Kind::List) ::SetWindowTheme(window, L"", L"");
  if (const ComboBoxState* list = settings_layout::ListOf(shown, control)) FillList(window, *list);
  return window;
}

// Fonts, places and list field heights at the window's DPI.
void SettingsDialog::Layout() {
  // The old fonts go only after every control has let go of them.
  ScopedFont text = CreateDesignFont({L"Arial", 825, true, false, false}, Dpi());
  ScopedFont help = CreateDesignFont({L"Arial", 1125, true, false, false}, Dpi());
  for (size_t i = 0; i < kControls.size(); ++i) {
    const Control& control = kControls[i];
    const HWND window = windows_[i];
    const HFONT font = settings_layout::HasHelpFont(control.role) ? help.Get() : text.Get();
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    const RECT place = TwipsToPixelRect(settings_layout::ClientRect(control), Dpi());
    const int height = place.bottom - place.top;
    const bool list = settings_layout::KindOf(control.role) == Kind::List;
    const int dropped = list ? Px(kDroppedListTwips) : 0;
    ::MoveWindow(window, place.left, place.top, place.right - place.left, height + dropped, TRUE);
    if (list) FitListField(window, height);
  }
  textFont_ = std::move(text);
  helpFont_ = std::move(help);
  frameFont_ = CreateDesignFont({L"MS Shell Dlg 2", 825, false, false, false}, Dpi());
}

void SettingsDialog::Relayout() {
  Layout();
  ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

// Only the events the model handles are mirrored back: a list reports
// CBN_SELENDOK before CBN_SELCHANGE, and mirroring then would undo the
// user's pick before the model has heard of it.
void SettingsDialog::OnCommand(int id, int code) {
  for (size_t i = 0; i < kControls.size(); ++i) {
    if (kControls[i].id != id) continue;
    if (Forward(kControls[i], windows_[i], code)) Mirror();
    return;
  }
}

bool SettingsDialog::Forward(const Control& control, HWND window, int code) {
  if (settings_layout::KindOf(control.role) == Kind::List) {
    if (code != CBN_SELCHANGE) return false;
    Select(control, static_cast<int>(::SendMessageW(window, CB_GETCURSEL, 0, 0)));
  } else {
    if (code != BN_CLICKED) return false;
    Click(control, ::SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED);
  }
  return true;
}

void SettingsDialog::Select(const Control& control, int item) {
  switch (control.role) {
    case Role::KeyList:
      model_.SelectHotKey(settings_layout::HotKeyGroupOf(control.group), item);
      break;
    case Role::SyncIntervalList:
      model_.SelectSyncInterval(item);
      break;
    case Role::LogMinimumList:
      model_.SelectLogMinimum(item);
      break;
    default:
      break;
  }
}

void SettingsDialog::Click(const Control& control, bool checked) {
  switch (control.role) {
    case Role::Ok:
      model_.Ok();
      break;
    case Role::Cancel:
      model_.Cancel();
      break;
    case Role::CtrlBox:
      model_.CheckCtrl(settings_layout::HotKeyGroupOf(control.group), checked);
      break;
    case Role::ShiftBox:
      model_.CheckShift(settings_layout::HotKeyGroupOf(control.group), checked);
      break;
    case Role::SyncIntervalHelp:
      model_.ShowSyncIntervalHelp();
      break;
    case Role::LogMinimumHelp:
      model_.ShowLogMinimumHelp();
      break;
    default:
      break;
  }
}

// The close box (and Alt+F4) is not Cancel: it closes without a sound.
void SettingsDialog::OnClose() {
  model_.CloseFromTitleBar();
  Mirror();
}

// Windows ends the session: the window goes as with its close box, and the
// settings stay as they were before it opened.
void SettingsDialog::OnEndSession() { OnClose(); }

void SettingsDialog::Mirror() {
  const SettingsDialogControls& shown = model_.Controls();
  for (size_t i = 0; i < kControls.size(); ++i) {
    if (const ComboBoxState* list = settings_layout::ListOf(shown, kControls[i])) {
      MirrorList(windows_[i], *list);
    }
    if (const CheckBoxState* box = settings_layout::BoxOf(shown, kControls[i])) {
      MirrorBox(windows_[i], *box);
    }
  }
}

LRESULT SettingsDialog::OnCtlColorStatic(HDC dc, HWND control) {
  wchar_t windowClass[16] = {};
  ::GetClassNameW(control, windowClass, 16);
  if (::lstrcmpiW(windowClass, L"ComboBox") == 0) {
    // Only a disabled list asks this: the sync interval while ON, greyed.
    ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
    ::SetBkColor(dc, ToColorRef(colors::kFrameGreen));
    return reinterpret_cast<LRESULT>(listBrush_.Get());
  }
  ::SetTextColor(dc, ToColorRef(colors::kWhite));
  ::SetBkColor(dc, ToColorRef(kFrameGrey));
  return reinterpret_cast<LRESULT>(frameBrush_.Get());
}

LRESULT SettingsDialog::OnCtlColorList(HDC dc) {
  ::SetTextColor(dc, ToColorRef(colors::kBrightGreen));
  ::SetBkColor(dc, ToColorRef(colors::kFrameGreen));
  return reinterpret_cast<LRESULT>(listBrush_.Get());
}

void SettingsDialog::OnEraseBackground(HDC dc) {
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  ::FillRect(dc, &client, windowBrush_.Get());
}

// Frames: dark grey panels with an etched border and the caption in white
// across its top line.
void SettingsDialog::OnPaint() {
  PaintDc paint(Hwnd());
  const HDC dc = paint.Get();
  SelectInDc font(dc, frameFont_.Get());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SetTextColor(dc, ToColorRef(colors::kWhite));
  ::SetBkColor(dc, ToColorRef(kFrameGrey));
  for (const settings_layout::GroupBox& box : settings_layout::kGroupBoxes) {
    PaintGroupBox(dc, box, metrics.tmHeight);
  }
}

void SettingsDialog::PaintGroupBox(HDC dc, const settings_layout::GroupBox& box,
                                   int captionHeight) {
  RECT panel = TwipsToPixelRect(box.rect, Dpi());
  ::FillRect(dc, &panel, frameBrush_.Get());
  RECT edge = panel;
  edge.top += captionHeight / 2;
  ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  const std::wstring caption = Widen(settings_layout::GroupCaption(model_.Controls(), box.group));
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  const int left = panel.left + Px(120);
  RECT text{left - Px(30), panel.top, left + extent.cx + Px(30), panel.top + captionHeight};
  ::ExtTextOutW(dc, left, panel.top, ETO_OPAQUE, &text, caption.c_str(),
                static_cast<UINT>(caption.size()), nullptr);
}

}  // namespace

bool ShowSettingsDialog(HWND owner, SettingsDialogModel& model) {
  {
    SettingsDialog dialog(model);
    dialog.ShowModal(owner);
  }
  // A window that could not be made stores nothing; either way the model is
  // closed now, so nothing reaches the help boxes of the gone window.
  if (!model.Closed()) model.CloseFromTitleBar();
  return model.Stored();
}

}  // namespace horavia::win32
