#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ports/clock.h"
#include "ports/link_ipc.h"
#include "simstandin/core/stand_in.h"

namespace simstandin {

// The fake simulator: the stand-in hosted in the test's own process behind
// the link's IPC port, with the operating system's part (window, message,
// atoms, named mappings, the blocking send) played in memory. It keeps
// count of everything it hands out so that a test can see what was given
// back, and of every send with the time it was made (a virtual clock that
// moves by the pauses the client makes and by each time-out it waits out).
class InProcessSimulator : public horavia::LinkIpc {
 public:
  static constexpr Handle kWindow = 0x5150;
  static constexpr uint32_t kMessage = 0xC123;
  static constexpr uint32_t kErrorInvalidWindow = 1400;

  // `windowClass` "FS98MAIN" or "UIPCMAIN"; empty: no simulator runs.
  explicit InProcessSimulator(horavia::Clock& clock, std::string windowClass = "FS98MAIN");

  StandIn standIn;
  std::string windowClass;

  // What the operating system refuses, each with `refusalError` as the
  // last-error value.
  uint32_t refusalError = 0;
  bool failRegisterMessage = false;
  bool failAddAtom = false;
  bool failCreateMapping = false;
  bool failMapView = false;
  // Mapping names some other program already holds.
  std::set<std::string> takenNames;
  // Hanging (standIn.faults.hang, or the next `hangSends` sends) fails the
  // send after the full time-out with this last-error value.
  uint32_t hangSends = 0;
  uint32_t hangLastError = 0;
  // Not 0: every send fails at once with this last-error value, as Windows
  // refuses a message to a window of a higher privilege level (5).
  uint32_t deniedSendError = 0;
  // Called before each send with its number (0 first); a test may change
  // settings here as a timer tick running meanwhile would.
  std::function<void(int)> beforeSend;
  // Lines of the stand-in's journal; off when `keepJournal` is false.
  bool keepJournal = true;
  std::vector<std::string> journal;

  int Sends() const { return sends_; }
  // Virtual milliseconds when send `n` began (the first 64 are kept).
  uint64_t SendTime(int n) const { return sendTimes_[static_cast<size_t>(n)]; }
  uint64_t NowMs() const { return nowMs_; }
  std::vector<uint32_t> sleeps;
  size_t LiveAtoms() const { return atoms_.size(); }
  size_t LiveViews() const { return views_.size(); }
  size_t LiveHandles() const { return handles_.size(); }
  // The block behind a live mapping name, or nullptr.
  uint8_t* BlockNamed(const std::string& name);

  Handle FindWindowByClass(const std::string& className) override;
  uint32_t RegisterMessage(const std::string& name) override;
  uint16_t AddAtom(const std::string& name) override;
  void DeleteAtom(uint16_t atom) override;
  Mapping CreateMapping(const std::string& name, uint32_t size) override;
  uint8_t* MapView(Handle mapping) override;
  void UnmapView(uint8_t* view) override;
  void CloseHandle(Handle handle) override;
  bool Send(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
            uint32_t& answer) override;
  uint32_t LastError() override { return lastError_; }
  void Sleep(uint32_t milliseconds) override;
  uint32_t ProcessId() override { return 0x1A2B; }

 private:
  struct Section {
    std::unique_ptr<uint8_t[]> bytes;
    uint32_t size = 0;
    int references = 0;  // handles and views
  };
  void Release(const std::string& name);

  std::map<std::string, Section> sections_;
  std::map<uint16_t, std::string> atoms_;
  std::map<Handle, std::string> handles_;
  std::map<uint8_t*, std::string> views_;
  Handle nextHandle_ = 0x40;
  uint16_t nextAtom_ = 0xC001;
  uint32_t lastError_ = 0;
  int sends_ = 0;
  std::array<uint64_t, 64> sendTimes_{};
  uint64_t nowMs_ = 0;
};

}  // namespace simstandin
