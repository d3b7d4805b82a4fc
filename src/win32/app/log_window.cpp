#include "win32/app/log_window.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "win32/app/design_units.h"
#include "win32/app/log_window_layout.h"
#include "win32/app/owned_window.h"
#include "win32/support/child_windows.h"
#include "win32/support/fonts.h"
#include "win32/support/scoped_win.h"
#include "win32/support/wide_text.h"

namespace horavia::win32 {
namespace {

namespace layout = log_layout;

constexpr wchar_t kClassName[] = L"HoraviaChronoLog";
// A fixed dialog-like frame that still shows the program's icon.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

// Exit carries IDOK so that Enter anywhere, the note box included, presses
// it; Esc arrives as IDCANCEL and means the same.
constexpr int kIdExit = IDOK;
constexpr int kIdList = 100;
constexpr int kIdNote = 101;
constexpr int kIdClearLog = 102;
constexpr int kIdDeleteEntry = 103;
constexpr int kIdFirstLabel = 110;

constexpr int kVisibleListItems = 12;
// The selection field's item is this much lower than the field, its border.
constexpr int kFieldBorderPixels = 6;

class LogWindow : public OwnedWindow<LogWindow> {
 public:
  explicit LogWindow(LogWindowModel& model) : model_(model) {}

  bool ShowModal(HWND owner);

 private:
  friend class WindowBase<LogWindow>;
  friend class OwnedWindow<LogWindow>;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateControls();
  void CreateFonts();
  void Layout();
  void Relayout();
  void PlaceList();
  void Place(HWND control, const TwipsRect& rect) const;
  HWND FirstControl() const { return list_; }

  void OnCommand(int id, int code);
  void OnClose();
  void OnEndSession();
  void OnPaint();
  void PaintFrame(HDC dc, const layout::Frame& frame, int captionHeight);
  LRESULT OnControlColor(HDC dc, HWND control, bool droppedList);
  void OnMeasureItem(MEASUREITEMSTRUCT& item) const;
  void OnDrawItem(const DRAWITEMSTRUCT& item) const;
  // Shows what the model holds now.
  void MirrorModel();
  void MirrorList();
  void MirrorNote();

  LogWindowModel& model_;
  HWND list_ = nullptr;
  HWND note_ = nullptr;
  HWND noteLabel_ = nullptr;
  HWND exitButton_ = nullptr;
  HWND clearLogButton_ = nullptr;
  HWND deleteEntryButton_ = nullptr;
  std::array<HWND, layout::kTimeLabels.size()> timeLabels_{};
  ScopedFont timeFont_;
  ScopedFont textFont_;
  ScopedBrush background_{::CreateSolidBrush(ToColorRef(layout::kBackground))};
  ScopedBrush outerFrame_{::CreateSolidBrush(ToColorRef(layout::kOuterFrame))};
  ScopedBrush innerFrame_{::CreateSolidBrush(ToColorRef(layout::kInnerFrame))};
  ScopedBrush fieldBack_{::CreateSolidBrush(ToColorRef(layout::kFieldBack))};
  // Set while the window puts the model's note into the box, so that the
  // box's change notice is not taken for the user's typing.
  bool mirroring_ = false;
};

// The owner is disabled before the model runs (opening may already show a
// message box) and enabled again before this window goes, so that the owner
// gets the activation back; also when the model's opening or closing ends
// in an exception, which the owner's handler stops.
bool LogWindow::ShowModal(HWND owner) {
  if (!CreateOwned(owner, kClassName, model_.Controls().caption, kStyle, kExStyle)) return false;
  CreateControls();
  Layout();
  PlaceCentred(Hwnd(), Px(layout::kClientWidthTwips), Px(layout::kClientHeightTwips), Dpi());
  ModalSession session(Hwnd(), owner);
  model_.UseMessageBoxes(&Boxes());
  model_.Open();
  MirrorModel();
  session.Run([this] { return model_.Closed(); });
  model_.Close();  // does nothing when the model has closed itself
  model_.UseMessageBoxes(nullptr);
  return true;
}

LRESULT LogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommonMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
      OnPaint();
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
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

// Created in the tab order: the list, the note box, Exit, Clear Log, Delete
// Entry; the labels take no focus. The fonts exist first, because the list
// asks for its item height while it is being created.
void LogWindow::CreateControls() {
  const LogWindowControls& shown = model_.Controls();
  const auto text = [](std::string_view caption) { return Widen(caption); };
  CreateFonts();
  // Drawn by the window from the model's items, which are the only copy.
  list_ = CreateChild(Hwnd(), L"COMBOBOX", L"",
                      WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                      kIdList);
  note_ = CreateChild(Hwnd(), L"EDIT", L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | WS_DISABLED,
                      kIdNote);
  exitButton_ = CreateChild(Hwnd(), L"BUTTON", text(shown.exitButton).c_str(),
                            WS_TABSTOP | BS_DEFPUSHBUTTON, kIdExit);
  clearLogButton_ = CreateChild(Hwnd(), L"BUTTON", text(shown.clearLogButton).c_str(),
                                WS_TABSTOP | BS_PUSHBUTTON, kIdClearLog);
  deleteEntryButton_ = CreateChild(Hwnd(), L"BUTTON", text(shown.deleteEntryButton).c_str(),
                                   WS_TABSTOP | BS_PUSHBUTTON, kIdDeleteEntry);
  noteLabel_ = CreateChild(Hwnd(), L"STATIC", text(shown.noteLabel).c_str(), SS_LEFT | SS_NOPREFIX,
                           kIdFirstLabel);
  for (size_t i = 0; i < timeLabels_.size(); ++i) {
    timeLabels_[i] = CreateChild(Hwnd(), L"STATIC", L"", SS_LEFT | SS_NOPREFIX,
                                 kIdFirstLabel + 1 + static_cast<int>(i));
  }
}

void LogWindow::CreateFonts() {
  timeFont_ = CreateDesignFont({L"Arial", layout::kTimeFontSize, true, false, false}, Dpi());
  textFont_ = CreateDesignFont({L"Arial", layout::kTextFontSize, true, false, false}, Dpi());
}

void LogWindow::Place(HWND control, const TwipsRect& rect) const {
  const RECT place = TwipsToPixelRect(rect, Dpi());
  ::SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LogWindow::Layout() {
  const auto text = reinterpret_cast<WPARAM>(textFont_.Get());
  const auto time = reinterpret_cast<WPARAM>(timeFont_.Get());
  for (HWND control :
       {list_, note_, noteLabel_, exitButton_, clearLogButton_, deleteEntryButton_}) {
    ::SendMessageW(control, WM_SETFONT, text, FALSE);
  }
  for (HWND label : timeLabels_) ::SendMessageW(label, WM_SETFONT, time, FALSE);
  PlaceList();
  Place(note_, layout::kNote);
  Place(noteLabel_, layout::kNoteLabel);
  Place(exitButton_, layout::kExitButton);
  Place(clearLogButton_, layout::kClearLogButton);
  Place(deleteEntryButton_, layout::kDeleteEntryButton);
  for (size_t i = 0; i < timeLabels_.size(); ++i)
    Place(timeLabels_[i], layout::kTimeLabels[i].rect);
  ::InvalidateRect(Hwnd(), nullptr, TRUE);
}

// A drop-down list is as high as its selection field; the height given to
// the window is that of the field with its list dropped down.
void LogWindow::PlaceList() {
  const RECT field = TwipsToPixelRect(layout::kEntryList, Dpi());
  const int fieldHeight = field.bottom - field.top;
  const int item = Px(layout::kListItemTwips);
  ::SendMessageW(list_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 fieldHeight - kFieldBorderPixels);
  ::SendMessageW(list_, CB_SETITEMHEIGHT, 0, item);
  ::SetWindowPos(list_, nullptr, field.left, field.top, field.right - field.left,
                 fieldHeight + kVisibleListItems * item + 2, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LogWindow::OnCommand(int id, int code) {
  const bool clicked = code == BN_CLICKED;
  if (id == kIdList && code == CBN_SELCHANGE) {
    model_.SelectEntry(static_cast<int>(::SendMessageW(list_, CB_GETCURSEL, 0, 0)));
  } else if (id == kIdNote && code == EN_CHANGE && !mirroring_) {
    model_.EditNote(Narrow(WindowText(note_)));
  } else if ((id == kIdExit || id == IDCANCEL) && clicked) {
    model_.Exit();
  } else if (id == kIdClearLog && clicked) {
    model_.ClearLog();
  } else if (id == kIdDeleteEntry && clicked) {
    model_.ToggleDeletionMark();
  } else {
    return;
  }
  MirrorModel();
}

void LogWindow::OnClose() {
  model_.Close();
  MirrorModel();
}

// The copy goes back to the file as at any closing, without a box.
void LogWindow::OnEndSession() {
  model_.EndSession();
  MirrorModel();
}

void LogWindow::MirrorModel() {
  const LogWindowControls& shown = model_.Controls();
  MirrorList();
  for (size_t i = 0; i < timeLabels_.size(); ++i) {
    const std::wstring text = Widen(shown.*(layout::kTimeLabels[i].text));
    if (text != WindowText(timeLabels_[i])) ::SetWindowTextW(timeLabels_[i], text.c_str());
  }
  MirrorNote();
  if (model_.TakeListFocusRequest()) ::SetFocus(list_);
}

void LogWindow::MirrorList() {
  const EntryListState& entries = model_.Controls().entryList;
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
}

void LogWindow::MirrorNote() {
  const NoteBoxState& shown = model_.Controls().note;
  const std::wstring note = Widen(shown.text);
  if (note != WindowText(note_)) {
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
  if ((::IsWindowEnabled(note_) != FALSE) != shown.enabled) {
    ::EnableWindow(note_, shown.enabled ? TRUE : FALSE);
  }
}

void LogWindow::OnPaint() {
  PaintDc paint(Hwnd());
  const HDC dc = paint.Get();
  RECT client{};
  ::GetClientRect(Hwnd(), &client);
  ::FillRect(dc, &client, background_.Get());

  SelectInDc font(dc, textFont_.Get());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SetTextColor(dc, ToColorRef(layout::kCaption));
  ::SetBkMode(dc, OPAQUE);
  for (const layout::Frame& frame : layout::kFrames) PaintFrame(dc, frame, metrics.tmHeight);
}

// The caption breaks the top edge, with a little room on both sides.
void LogWindow::PaintFrame(HDC dc, const layout::Frame& frame, int captionHeight) {
  const RECT box = TwipsToPixelRect(frame.rect, Dpi());
  ::FillRect(dc, &box, frame.outer ? outerFrame_.Get() : innerFrame_.Get());
  RECT edge = box;
  edge.top += captionHeight / 2;
  ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  ::SetBkColor(dc, ToColorRef(frame.outer ? layout::kOuterFrame : layout::kInnerFrame));
  const std::wstring caption = L" " + std::wstring(frame.caption) + L" ";
  ::TextOutW(dc, box.left + Px(layout::kCaptionInsetTwips), box.top, caption.c_str(),
             static_cast<int>(caption.size()));
}

LRESULT LogWindow::OnControlColor(HDC dc, HWND control, bool droppedList) {
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

void LogWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) const {
  if (item.CtlID != static_cast<UINT>(kIdList)) return;
  const RECT field = TwipsToPixelRect(layout::kEntryList, Dpi());
  item.itemHeight = static_cast<UINT>(item.itemID == static_cast<UINT>(-1)
                                          ? field.bottom - field.top - kFieldBorderPixels
                                          : Px(layout::kListItemTwips));
}

void LogWindow::OnDrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.CtlID != static_cast<UINT>(kIdList)) return;
  const std::vector<std::string>& items = model_.Controls().entryList.items;
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
  box.left += Px(layout::kItemTextInsetTwips);
  ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void LogWindow::Relayout() {
  CreateFonts();
  Layout();
}

}  // namespace

bool ShowLogWindow(HWND owner, LogWindowModel& model) {
  LogWindow window(model);
  return window.ShowModal(owner);
}

}  // namespace horavia::win32
