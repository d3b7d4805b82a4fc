#include "win32/app/chronolog_window.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <string>

#include "win32/app/chronolog_layout.h"
#include "win32/app/resource_ids.h"
#include "win32/support/action_boundary.h"
#include "win32/support/dpi.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"
#include "win32/ports/win32_message_boxes.h"
#include "win32/support/win_dyn_calls.h"

namespace horavia::win32 {
namespace {

namespace layout = chronolog_layout;

constexpr wchar_t kClassName[] = L"HoraviaChronoLog";
// A fixed dialog-like frame that still shows the program's icon.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// Exit carries IDOK so that Enter anywhere, the note box included, presses
// it; Esc arrives as IDCANCEL and means the same.
constexpr int kIdExit = IDOK;
constexpr int kIdList = 100;
constexpr int kIdNote = 101;
constexpr int kIdDeleteLog = 102;
constexpr int kIdDeleteEntry = 103;
constexpr int kIdFirstLabel = 110;

constexpr int kVisibleListItems = 12;

COLORREF ToColorRef(Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

HFONT MakeArialBold(int hundredthsOfPoint, UINT dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -::MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 72 * 100);
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::wcsncpy(lf.lfFaceName, L"Arial", LF_FACESIZE - 1);
  return ::CreateFontIndirectW(&lf);
}

HICON ProgramIcon(int sizeMetricX, int sizeMetricY) {
  const int cx = ::GetSystemMetrics(sizeMetricX);
  const int cy = ::GetSystemMetrics(sizeMetricY);
  auto icon = static_cast<HICON>(::LoadImageW(
      ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_HORAVIA), IMAGE_ICON, cx, cy, LR_SHARED));
  if (icon == nullptr) icon = ::LoadIconW(nullptr, IDI_APPLICATION);
  return icon;
}

class ChronoLogWindow {
 public:
  explicit ChronoLogWindow(LogWindowModel& model) : model_(model) {}
  ChronoLogWindow(const ChronoLogWindow&) = delete;
  ChronoLogWindow& operator=(const ChronoLogWindow&) = delete;

  bool Run(HWND owner);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateControls();
  void Layout();
  void PlaceCentred(HWND owner);
  void OnCommand(int id, int code);
  void OnClose();
  void OnEndSession();
  void OnPaint();
  void OnActivate(bool active);
  LRESULT OnControlColor(HDC dc, HWND control, bool droppedList);
  void OnMeasureItem(MEASUREITEMSTRUCT& item) const;
  void OnDrawItem(const DRAWITEMSTRUCT& item) const;
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  // Shows what the model holds now, and ends the window once it closed.
  void AfterHandler();
  void MirrorModel();

  int Px(int designPixels) const { return ::MulDiv(designPixels, static_cast<int>(dpi_), 96); }
  void Place(HWND control, const layout::PixelRect& rect, int height) const;
  HWND AddControl(const wchar_t* windowClass, const wchar_t* text, DWORD style, int id);

  LogWindowModel& model_;
  HWND hwnd_ = nullptr;
  HWND list_ = nullptr;
  HWND note_ = nullptr;
  HWND noteLabel_ = nullptr;
  std::array<HWND, 3> buttons_{};  // Exit, Clear Log, Delete Entry
  std::array<HWND, layout::kTimeLabels.size()> timeLabels_{};
  // The control that had the focus when the window was last active; a
  // plain window would otherwise give the focus to itself on return.
  HWND lastFocus_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  ScopedFont timeFont_;
  ScopedFont textFont_;
  ScopedBrush background_{::CreateSolidBrush(ToColorRef(layout::kBackground))};
  ScopedBrush outerFrame_{::CreateSolidBrush(ToColorRef(layout::kOuterFrame))};
  ScopedBrush innerFrame_{::CreateSolidBrush(ToColorRef(layout::kInnerFrame))};
  ScopedBrush fieldBack_{::CreateSolidBrush(ToColorRef(layout::kFieldBack))};
  Win32MessageBoxes boxes_;
  ActionBoundary boundary_{boxes_};
  // Set while the window puts the model's note into the box, so that the
  // box's change notice is not taken for the user's typing.
  bool mirroring_ = false;
  bool ended_ = false;
};

bool ChronoLogWindow::Run(HWND owner) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &ChronoLogWindow::WindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  wc.hIcon = ProgramIcon(SM_CXICON, SM_CYICON);
  wc.hIconSm = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
  if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  const std::wstring caption = Widen(model_.Controls().caption);
  if (::CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, 0, 0, 0, 0, owner, nullptr,
                        wc.hInstance, this) == nullptr) {
    return false;
  }
  dpi_ = EffectiveDpi(hwnd_);
  CreateControls();
  Layout();
  PlaceCentred(owner);

  // The owner is disabled before the model runs (opening may already show a
  // message box) and enabled again before this window goes, so that the
  // owner gets the activation back; also when the model's opening or
  // closing ends in an exception, which the owner's handler stops.
  class Modal {
   public:
    Modal(HWND window, HWND owner)
        : window_(window),
          owner_(owner),
          ownerWasEnabled_(owner != nullptr && ::EnableWindow(owner, FALSE) == 0) {}
    Modal(const Modal&) = delete;
    Modal& operator=(const Modal&) = delete;
    ~Modal() {
      if (ownerWasEnabled_) ::EnableWindow(owner_, TRUE);
      // Destroying the list tells the window of every item it drops, which
      // takes a while for a very long log; the user sees the window go at
      // once.
      ::ShowWindow(window_, SW_HIDE);
      ::DestroyWindow(window_);
      if (owner_ != nullptr) ::SetActiveWindow(owner_);
    }

   private:
    HWND window_;
    HWND owner_;
    bool ownerWasEnabled_;
  } const modal(hwnd_, owner);
  boxes_.SetOwner(hwnd_);
  model_.UseMessageBoxes(&boxes_);
  model_.Form_Load();
  MirrorModel();
  ::ShowWindow(hwnd_, SW_SHOW);

  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg{};
  while (!ended_) {
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      quitCode = msg.wParam;
      break;
    }
    if (!::IsDialogMessageW(hwnd_, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  model_.Form_Unload();  // does nothing when the model has closed itself
  model_.UseMessageBoxes(nullptr);
  // The quit belongs to the main loop; hand it on.
  if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
  return true;
}

LRESULT CALLBACK ChronoLogWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<ChronoLogWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<ChronoLogWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return self->boundary_.Run([&] { return self->HandleMessage(message, wParam, lParam); },
                             LRESULT{0});
}

LRESULT ChronoLogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(kIdExit, DC_HASDEFID);
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_ENDSESSION:
      if (wParam != FALSE) OnEndSession();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                            message == WM_CTLCOLORLISTBOX);
    case WM_MEASUREITEM:
      OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

HWND ChronoLogWindow::AddControl(const wchar_t* windowClass, const wchar_t* text, DWORD style,
                                 int id) {
  return ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ::GetModuleHandleW(nullptr), nullptr);
}

// Created in the tab order: the list, the note box, Exit, Clear Log, Delete
// Entry; the labels take no focus. The fonts exist first, because the list
// asks for its item height while it is being created.
void ChronoLogWindow::CreateControls() {
  timeFont_.Reset(MakeArialBold(layout::kTimeFontSize, dpi_));
  textFont_.Reset(MakeArialBold(layout::kTextFontSize, dpi_));
  // Drawn by the window from the model's items, which are the only copy.
  list_ = AddControl(L"COMBOBOX", L"",
                     WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                     kIdList);
  note_ = AddControl(L"EDIT", L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | WS_DISABLED, kIdNote);
  buttons_[0] = AddControl(L"BUTTON", L"&Exit", WS_TABSTOP | BS_DEFPUSHBUTTON, kIdExit);
  buttons_[1] = AddControl(L"BUTTON", L"&Clear Log", WS_TABSTOP | BS_PUSHBUTTON, kIdDeleteLog);
  buttons_[2] = AddControl(L"BUTTON", L"&Delete Entry", WS_TABSTOP | BS_PUSHBUTTON, kIdDeleteEntry);
  noteLabel_ = AddControl(L"STATIC", L"Note:", SS_LEFT | SS_NOPREFIX, kIdFirstLabel);
  for (size_t i = 0; i < timeLabels_.size(); ++i) {
    timeLabels_[i] =
        AddControl(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kIdFirstLabel + 1 + static_cast<int>(i));
  }
}

void ChronoLogWindow::Place(HWND control, const layout::PixelRect& rect, int height) const {
  ::SetWindowPos(control, nullptr, Px(rect.left), Px(rect.top), Px(rect.width), height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChronoLogWindow::Layout() {
  const auto text = reinterpret_cast<WPARAM>(textFont_.Get());
  const auto time = reinterpret_cast<WPARAM>(timeFont_.Get());
  for (HWND control : {list_, note_, noteLabel_, buttons_[0], buttons_[1], buttons_[2]}) {
    ::SendMessageW(control, WM_SETFONT, text, FALSE);
  }
  for (HWND label : timeLabels_) ::SendMessageW(label, WM_SETFONT, time, FALSE);

  // A drop-down list is as high as its selection field; the height given
  // to the window is that of the field with its list dropped down.
  const int field = Px(layout::kList.height);
  const int item = Px(16);
  ::SendMessageW(list_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - 6);
  ::SendMessageW(list_, CB_SETITEMHEIGHT, 0, item);
  Place(list_, layout::kList, field + kVisibleListItems * item + 2);
  Place(note_, layout::kNote, Px(layout::kNote.height));
  Place(noteLabel_, layout::kNoteLabel, Px(layout::kNoteLabel.height));
  Place(buttons_[0], layout::kExit, Px(layout::kExit.height));
  Place(buttons_[1], layout::kDeleteLog, Px(layout::kDeleteLog.height));
  Place(buttons_[2], layout::kDeleteEntry, Px(layout::kDeleteEntry.height));
  for (size_t i = 0; i < timeLabels_.size(); ++i) {
    Place(timeLabels_[i], layout::kTimeLabels[i].rect, Px(layout::kTimeLabels[i].rect.height));
  }
  ::InvalidateRect(hwnd_, nullptr, TRUE);
}

// Centred over the main window, and kept on the screen that holds it.
void ChronoLogWindow::PlaceCentred(HWND owner) {
  RECT frame{0, 0, Px(layout::kClientWidth), Px(layout::kClientHeight)};
  // The frame is drawn at the window's real DPI, which a DPI forced for
  // tests does not change.
  DynAdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, DynGetDpiForWindow(hwnd_));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;

  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  const HWND anchor = owner != nullptr ? owner : hwnd_;
  if (::GetMonitorInfoW(::MonitorFromWindow(anchor, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    work = monitor.rcWork;
  }
  RECT over = work;
  if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
    ::GetWindowRect(owner, &over);
  }
  int left = over.left + (over.right - over.left - width) / 2;
  int top = over.top + (over.bottom - over.top - height) / 2;
  if (left + width > work.right) left = work.right - width;
  if (top + height > work.bottom) top = work.bottom - height;
  if (left < work.left) left = work.left;
  if (top < work.top) top = work.top;
  ::SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChronoLogWindow::OnCommand(int id, int code) {
  switch (id) {
    case kIdList:
      if (code != CBN_SELCHANGE) return;
      model_.cboLogDateTime_Click(static_cast<int>(::SendMessageW(list_, CB_GETCURSEL, 0, 0)));
      break;
    case kIdNote: {
      if (code != EN_CHANGE || mirroring_) return;
      std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(note_)) + 1, L'\0');
      text.resize(
          static_cast<size_t>(::GetWindowTextW(note_, text.data(), static_cast<int>(text.size()))));
      model_.txtNote_Change(Narrow(text));
      break;
    }
    case kIdExit:
    case IDCANCEL:
      if (code != BN_CLICKED) return;
      model_.cmdExit_Click();
      break;
    case kIdDeleteLog:
      if (code != BN_CLICKED) return;
      model_.cmdDeleteLog_Click();
      break;
    case kIdDeleteEntry:
      if (code != BN_CLICKED) return;
      model_.cmdDeleteEntry_Click();
      break;
    default:
      return;
  }
  AfterHandler();
}

void ChronoLogWindow::OnClose() {
  model_.Form_Unload();
  AfterHandler();
}

// The copy goes back to the file as at any closing, without a box.
void ChronoLogWindow::OnEndSession() {
  boundary_.Silence();
  model_.EndSession();
  AfterHandler();
}

void ChronoLogWindow::AfterHandler() {
  MirrorModel();
  if (model_.Closed()) ended_ = true;
}

void ChronoLogWindow::MirrorModel() {
  const LogWindowControls& shown = model_.Controls();
  const EntryListState& entries = shown.cboLogDateTime;

  const auto count = static_cast<size_t>(::SendMessageW(list_, CB_GETCOUNT, 0, 0));
  if (count != entries.items.size()) {
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_, CB_RESETCONTENT, 0, 0);
    ::SendMessageW(list_, CB_INITSTORAGE, entries.items.size(), 0);
    for (size_t i = 0; i < entries.items.size(); ++i) ::SendMessageW(list_, CB_ADDSTRING, 0, 0);
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  }
  if (::SendMessageW(list_, CB_GETCURSEL, 0, 0) != entries.listIndex) {
    ::SendMessageW(list_, CB_SETCURSEL, static_cast<WPARAM>(entries.listIndex), 0);
  }
  // An item's text may have changed (a deletion mark): the list draws the
  // model's texts, so a repaint shows them.
  ::InvalidateRect(list_, nullptr, FALSE);

  for (size_t i = 0; i < timeLabels_.size(); ++i) {
    const std::wstring text = Widen(shown.*(layout::kTimeLabels[i].text));
    wchar_t now[64] = L"";
    ::GetWindowTextW(timeLabels_[i], now, static_cast<int>(std::size(now)));
    if (text != now) ::SetWindowTextW(timeLabels_[i], text.c_str());
  }

  const std::wstring note = Widen(shown.txtNote.text);
  std::wstring inBox(static_cast<size_t>(::GetWindowTextLengthW(note_)) + 1, L'\0');
  inBox.resize(
      static_cast<size_t>(::GetWindowTextW(note_, inBox.data(), static_cast<int>(inBox.size()))));
  if (note != inBox) {
    // A note the model cleaned keeps its length, so the caret stays put.
    DWORD from = 0;
    DWORD to = 0;
    ::SendMessageW(note_, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                   reinterpret_cast<LPARAM>(&to));
    mirroring_ = true;
    ::SetWindowTextW(note_, note.c_str());
    mirroring_ = false;
    ::SendMessageW(note_, EM_SETSEL, from, to);
  }
  if ((::IsWindowEnabled(note_) != FALSE) != shown.txtNote.enabled) {
    ::EnableWindow(note_, shown.txtNote.enabled ? TRUE : FALSE);
  }

  if (model_.TakeListFocusRequest()) ::SetFocus(list_);
}

void ChronoLogWindow::OnPaint() {
  PaintDc paint(hwnd_);
  const HDC dc = paint.Get();
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  ::FillRect(dc, &client, background_.Get());

  SelectInDc font(dc, textFont_.Get());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SetTextColor(dc, ToColorRef(layout::kCaption));
  ::SetBkMode(dc, OPAQUE);
  for (const layout::Frame& frame : layout::kFrames) {
    RECT box{Px(frame.rect.left), Px(frame.rect.top), Px(frame.rect.left + frame.rect.width),
             Px(frame.rect.top + frame.rect.height)};
    ::FillRect(dc, &box, frame.outer ? outerFrame_.Get() : innerFrame_.Get());
    RECT edge = box;
    edge.top += metrics.tmHeight / 2;
    ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    // The caption breaks the top edge, with a little room on both sides.
    ::SetBkColor(dc, ToColorRef(frame.outer ? layout::kOuterFrame : layout::kInnerFrame));
    const std::wstring caption = L" " + std::wstring(frame.caption) + L" ";
    ::TextOutW(dc, box.left + Px(6), box.top, caption.c_str(), static_cast<int>(caption.size()));
  }
}

void ChronoLogWindow::OnActivate(bool active) {
  if (!active) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
    return;
  }
  ::SetFocus(lastFocus_ != nullptr && ::IsWindowEnabled(lastFocus_) ? lastFocus_ : list_);
}

LRESULT ChronoLogWindow::OnControlColor(HDC dc, HWND control, bool droppedList) {
  if (control == noteLabel_) {
    ::SetTextColor(dc, ToColorRef(layout::kCaption));
    ::SetBkColor(dc, ToColorRef(layout::kOuterFrame));
    return reinterpret_cast<LRESULT>(outerFrame_.Get());
  }
  const bool field =
      droppedList || control == note_ || control == list_ ||
      std::find(timeLabels_.begin(), timeLabels_.end(), control) != timeLabels_.end();
  if (field) {
    ::SetTextColor(dc, ToColorRef(layout::kFieldText));
    ::SetBkColor(dc, ToColorRef(layout::kFieldBack));
    return reinterpret_cast<LRESULT>(fieldBack_.Get());
  }
  // The buttons: the corners around their faces show the window's grey.
  ::SetBkColor(dc, ToColorRef(layout::kBackground));
  return reinterpret_cast<LRESULT>(background_.Get());
}

void ChronoLogWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) const {
  if (item.CtlID != static_cast<UINT>(kIdList)) return;
  item.itemHeight = static_cast<UINT>(
      item.itemID == static_cast<UINT>(-1) ? Px(layout::kList.height) - 6 : Px(16));
}

void ChronoLogWindow::OnDrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.CtlID != static_cast<UINT>(kIdList)) return;
  const std::vector<std::string>& items = model_.Controls().cboLogDateTime.items;
  // The selected item shows inverted: dark green on bright green.
  const bool inverted = (item.itemState & ODS_SELECTED) != 0;
  const Rgb back = inverted ? layout::kFieldText : layout::kFieldBack;
  const Rgb fore = inverted ? layout::kFieldBack : layout::kFieldText;
  ScopedBrush brush(::CreateSolidBrush(ToColorRef(back)));
  RECT box = item.rcItem;
  ::FillRect(item.hDC, &box, brush.Get());
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= items.size()) return;

  const std::wstring text = Widen(items[item.itemID]);
  SelectInDc font(item.hDC, textFont_.Get());
  ::SetTextColor(item.hDC, ToColorRef(fore));
  ::SetBkMode(item.hDC, TRANSPARENT);
  box.left += Px(2);
  ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// The suggested rectangle keeps the window under the pointer while it is
// dragged to a monitor with another DPI. A DPI forced for tests stays.
void ChronoLogWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  if (DpiOverride()) return;
  dpi_ = dpi;
  timeFont_.Reset(MakeArialBold(layout::kTimeFontSize, dpi_));
  textFont_.Reset(MakeArialBold(layout::kTextFontSize, dpi_));
  Layout();
  ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool ShowChronoLogWindow(HWND owner, LogWindowModel& model) {
  ChronoLogWindow window(model);
  return window.Run(owner);
}

}  // namespace horavia::win32
