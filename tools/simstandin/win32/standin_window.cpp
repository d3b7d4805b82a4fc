#include "simstandin/win32/standin_window.h"

#include <cstdio>
#include <memory>

#include "win32/support/child_windows.h"
#include "win32/support/wide_text.h"

namespace simstandin {

namespace {

using horavia::win32::ScopedHandle;
using horavia::win32::ScopedView;
using horavia::win32::Widen;

constexpr UINT_PTR kClockTimer = 1;
constexpr UINT_PTR kMessageTimer = 2;
constexpr uint32_t kLargestBlock = 32768;

// Opens the block a client named through the atom, for one message.
class MappedBlock {
 public:
  explicit MappedBlock(const char* name)
      : mapping_(::OpenFileMappingA(FILE_MAP_WRITE, FALSE, name)),
        view_(mapping_.Get() != nullptr ? ::MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, 0)
                                        : nullptr) {
    MEMORY_BASIC_INFORMATION info{};
    if (view_.Get() != nullptr && ::VirtualQuery(view_.Get(), &info, sizeof info) != 0) {
      size_ = info.RegionSize;
    }
  }
  uint8_t* Bytes() const { return static_cast<uint8_t*>(view_.Get()); }
  uint32_t Size() const {
    return static_cast<uint32_t>(size_ < kLargestBlock ? size_ : kLargestBlock);
  }

 private:
  ScopedHandle mapping_;
  ScopedView view_;
  SIZE_T size_ = 0;
};

}  // namespace

horavia::LocalDateTime PcClock::Now() {
  SYSTEMTIME st{};
  ::GetLocalTime(&st);
  return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}

int64_t PcClock::ElapsedMs() { return static_cast<int64_t>(::GetTickCount64()); }

void JournalLine(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Plain stdio, since memory may be short.
void JournalFailure(horavia::ActionFailure failure) {
  std::fputs(failure == horavia::ActionFailure::OutOfMemory ? "error exception: not enough memory\n"
                                                            : "error exception\n",
             stdout);
  std::fflush(stdout);
}

StandInWindow::StandInWindow(const char* className, StandIn& standIn)
    : standIn_(standIn), ipcMessage_(::RegisterWindowMessageA("FSASMLIB:IPC")) {
  const std::wstring name = Widen(className);
  horavia::win32::WindowParams params;
  params.className = name.c_str();
  params.caption = L"Horavia simulator stand-in";
  params.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  params.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  params.width = 640;
  params.height = 140;
  // Without a window, Hwnd() stays null, which main tells.
  Create(params);
}

void StandInWindow::ReportFailure(horavia::ActionFailure failure) { JournalFailure(failure); }

LRESULT StandInWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == ipcMessage_ && ipcMessage_ != 0) return OnIpc(wParam);
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case kCommandMessage:
      OnCommand(lParam);
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

void StandInWindow::OnCreate() {
  clockLabel_ = horavia::win32::CreateChild(Hwnd(), L"STATIC", L"", 0, 0);
  messageLabel_ = horavia::win32::CreateChild(Hwnd(), L"STATIC", L"", 0, 0);
  ::MoveWindow(clockLabel_, 10, 10, 610, 24, FALSE);
  ::MoveWindow(messageLabel_, 10, 44, 610, 48, FALSE);
  ::SetTimer(Hwnd(), kClockTimer, 1000, nullptr);
  ShowClock();
}

void StandInWindow::OnDestroy() {
  ::KillTimer(Hwnd(), kClockTimer);
  ::PostQuitMessage(0);
}

// A hanging simulator keeps the client's send waiting until it times out:
// the handler does not return until the input thread says "answer".
LRESULT StandInWindow::OnIpc(WPARAM wParam) {
  if (hanging) {
    JournalLine("hang");
    ::WaitForSingleObject(hangReleased.Get(), INFINITE);
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
  if (standIn_.quitRequested && Hwnd() != nullptr) ::DestroyWindow(Hwnd());
}

void StandInWindow::OnTimer(WPARAM id) {
  if (id == kClockTimer) ShowClock();
  if (id == kMessageTimer) {
    ::KillTimer(Hwnd(), kMessageTimer);
    ::SetWindowTextW(messageLabel_, L"");
    JournalLine("hide");
  }
}

// The simulator shows the text for the seconds written to the display time;
// 0 keeps it until the next one.
void StandInWindow::ShowMessageIfNew() {
  const SimAircraft& aircraft = standIn_.Aircraft();
  if (aircraft.MessageShows() == messageShows_) return;
  messageShows_ = aircraft.MessageShows();
  // The text is in the simulator's code page, the system's ANSI one.
  const std::string text = aircraft.MessageText();
  ::SetWindowTextA(messageLabel_, text.c_str());
  JournalLine("show " + std::to_string(aircraft.MessageSeconds()) + " " + text);
  ::KillTimer(Hwnd(), kMessageTimer);
  if (aircraft.MessageSeconds() != 0) {
    ::SetTimer(Hwnd(), kMessageTimer, aircraft.MessageSeconds() * 1000u, nullptr);
  }
}

void StandInWindow::ShowClock() {
  ::SetWindowTextW(clockLabel_, Widen(standIn_.Aircraft().Describe()).c_str());
}

}  // namespace simstandin
