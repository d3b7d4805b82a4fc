#pragma once

#include <cstdint>
#include <string>

#include "ports/link_ipc.h"
#include "link/link_result.h"
#include "link/request_block.h"

namespace horavia {

// The simulator link's process-wide record. Every field is zero while closed.
struct LinkState {
  LinkIpc::Handle window = 0;
  uint32_t message = 0;
  int32_t atom = 0;  // the 16-bit atom, sign-extended
  LinkIpc::Handle mapping = 0;
  uint8_t* view = nullptr;
  uint8_t* next = nullptr;
  uint32_t interfaceVersion = 0;
  uint32_t simulatorVersion = 0;
};

// The FSUIPC client. It keeps at most one connection and runs on the main
// window's thread only. Each exchange is any number of Read and Write
// followed by one Process; a read's destination must stay valid until
// Process returns and is written only by a successful one.
class Link {
 public:
  static constexpr const char* kClassUipcMain = "UIPCMAIN";
  static constexpr const char* kClassFs98Main = "FS98MAIN";
  static constexpr const char* kMessageName = "FSASMLIB:IPC";
  static constexpr uint32_t kSendTimeoutMs = 2000;
  static constexpr uint32_t kRetryPauseMs = 100;
  static constexpr uint32_t kOffsetInterfaceVersion = 0x3304;
  static constexpr uint32_t kOffsetSimulatorVersion = 0x3308;

  // `retries` is the number of repeats of a send the simulator did not
  // answer (the SM_TIMEOUT_RETRY setting); it is read afresh before each.
  Link(LinkIpc& ipc, const int32_t& retries) : ipc_(ipc), retries_(retries) {}
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  // Finds FSUIPC's window, creates the shared block and checks FSUIPC's
  // versions. `requestedVersion` 0 accepts any simulator.
  bool Open(uint32_t requestedVersion, LinkResult& result);
  // Releases whatever the link holds; safe at any time, also repeatedly.
  void Close();
  // Forgets every handle without releasing it.
  void Reset();
  bool Read(uint32_t offset, uint32_t size, void* destination, LinkResult& result);
  bool Write(uint32_t offset, uint32_t size, const void* source, LinkResult& result);
  // Forgets the queued requests without sending them.
  void DropQueued();
  // Hands the queued requests to FSUIPC and copies the reads back. The queue
  // is empty afterwards whatever the outcome.
  bool Process(LinkResult& result);

  const LinkState& State() const { return state_; }

  // "FSASMLIB:IPC:" + process id in upper-case hex + ":1".
  static std::string BlockName(uint32_t processId);

 private:
  uint32_t Used() const { return static_cast<uint32_t>(state_.next - state_.view); }
  bool Handshake(LinkResult& result);
  bool SendBlock(uint32_t& answer);

  LinkIpc& ipc_;
  const int32_t& retries_;
  LinkState state_;
  request_block::PendingTable pending_;
};

}  // namespace horavia
