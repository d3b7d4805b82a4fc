#include "simstandin/win32/standin_window.h"

#include <cstdio>
#include <memory>

#include "base/exception_boundary.h"

namespace simstandin {

namespace {

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kMessageTimer = 2;

// Opens the block a client named through the atom, for one message.
class MappedBlock {
 public:
  explicit MappedBlock(const char* name) {
    mapping_ = ::OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
    if (mapping_ != nullptr) view_ = ::MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0);
    if (view_ != nullptr) {
      MEMORY_BASIC_INFORMATION info{};
      if (::VirtualQuery(view_, &info, sizeof info) != 0) size_ = info.RegionSize;
    }
  }
  MappedBlock(const MappedBlock&) = delete;
  MappedBlock& operator=(const MappedBlock&) = delete;
  ~MappedBlock() {
    if (view_ != nullptr) ::UnmapViewOfFile(view_);
    if (mapping_ != nullptr) ::CloseHandle(mapping_);
  }
  uint8_t* Bytes() const { return static_cast<uint8_t*>(view_); }
  uint32_t Size() const { return static_cast<uint32_t>(size_ < 32768 ? size_ : 32768); }

 private:
  HANDLE mapping_ = nullptr;
  void* view_ = nullptr;
  SIZE_T size_ = 0;
};

}  // namespace

horavia::LocalDateTime PcClock::Now() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

void JournalLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// No box: the stand-in runs unattended under the tests, which read the
// journal. Plain stdio, since memory may be short.
void JournalFailure(horavia::ActionFailure failure) {
  std::fputs(failure == horavia::ActionFailure::OutOfMemory ? "error exception: not enough memory\n"
                                                            : "error exception\n",
             stdout);
  std::fflush(stdout);
}

StandInWindow::StandInWindow(HINSTANCE instance, const char* className, StandIn& standIn)
    : standIn_(standIn), className_(className), instance_(instance) {
  hangReleased = ::CreateEventA(nullptr, TRUE, TRUE, nullptr);
  ipcMessage_ = ::RegisterWindowMessageA("FSASMLIB:IPC");
  WNDCLASSA wc{};
  wc.lpfnWndProc = &StandInWindow::Proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = className;
  ::RegisterClassA(&wc);
  // The handle is kept from WM_NCCREATE on; this makes it null if the window
  // could not be made after all.
  hwnd_ = ::CreateWindowExA(0, className, "Horavia simulator stand-in",
                            WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, 640,
                            140, nullptr, nullptr, instance, this);
}

StandInWindow::~StandInWindow() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
  ::UnregisterClassA(className_, instance_);
  if (hangReleased != nullptr) ::CloseHandle(hangReleased);
}

LRESULT CALLBACK StandInWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self =
        static_cast<StandInWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<StandInWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  return horavia::CatchAtBoundary([&] { return self->OnMessage(msg, wParam, lParam); },
                                  LRESULT{0}, JournalFailure);
}

LRESULT StandInWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == ipcMessage_ && ipcMessage_ != 0) return OnIpc(wParam);
  switch (msg) {
    case WM_CREATE:
      clockLabel_ = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 610, 24,
                                      hwnd_, nullptr, instance_, nullptr);
      messageLabel_ = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 44, 610, 48,
                                        hwnd_, nullptr, instance_, nullptr);
      ::SetTimer(hwnd_, kClockTimer, 1000, nullptr);
      ShowClock();
      return 0;
    case kCommandMessage:
      OnCommand(lParam);
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_DESTROY:
      ::KillTimer(hwnd_, kClockTimer);
      ::PostQuitMessage(0);
      hwnd_ = nullptr;
      return 0;
    default:
      return ::DefWindowProcA(hwnd_, msg, wParam, lParam);
  }
}

// A hanging simulator keeps the client's send waiting until it times out:
// the handler does not return until the input thread says "answer".
LRESULT StandInWindow::OnIpc(WPARAM wParam) {
  if (hanging) {
    JournalLine("hang");
    ::WaitForSingleObject(hangReleased, INFINITE);
    JournalLine("answer 0 after hang");
    return 0;
  }
  char name[64] = {};
  if (::GlobalGetAtomNameA(static_cast<ATOM>(wParam & 0xFFFF), name, sizeof name) == 0) {
    JournalLine("answer 0 unknown atom");
    return 0;
  }
  const MappedBlock block(name);
  if (block.Bytes() == nullptr) {
    JournalLine(std::string("answer 0 no block ") + name);
    return 0;
  }
  const uint32_t answer = standIn_.Serve(block.Bytes(), block.Size());
  ShowMessageIfNew();
  return answer;
}

void StandInWindow::OnCommand(LPARAM lParam) {
  const std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lParam));
  standIn_.Apply(*line);
  ShowClock();
  if (standIn_.quitRequested && hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

void StandInWindow::OnTimer(WPARAM id) {
  if (id == kClockTimer) ShowClock();
  if (id == kMessageTimer) {
    ::KillTimer(hwnd_, kMessageTimer);
    ::SetWindowTextA(messageLabel_, "");
    JournalLine("hide");
  }
}

// The simulator shows the text for the seconds written to the display time;
// 0 keeps it until the next one.
void StandInWindow::ShowMessageIfNew() {
  const SimAircraft& aircraft = standIn_.Aircraft();
  if (aircraft.MessageShows() == messageShows_) return;
  messageShows_ = aircraft.MessageShows();
  const std::string text = aircraft.MessageText();
  ::SetWindowTextA(messageLabel_, text.c_str());
  JournalLine("show " + std::to_string(aircraft.MessageSeconds()) + " " + text);
  ::KillTimer(hwnd_, kMessageTimer);
  if (aircraft.MessageSeconds() != 0) {
    ::SetTimer(hwnd_, kMessageTimer, aircraft.MessageSeconds() * 1000u, nullptr);
  }
}

void StandInWindow::ShowClock() {
  ::SetWindowTextA(clockLabel_, standIn_.Aircraft().Describe().c_str());
}

}  // namespace simstandin
