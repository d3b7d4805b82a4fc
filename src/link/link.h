#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/link_connection.h"
#include "link/link_failure.h"
#include "link/link_request.h"
#include "link/link_result.h"
#include "ports/link_ipc.h"

namespace horavia {

// The FSUIPC client. It keeps at most one connection and runs on the main
// window's thread only. An exchange hands a list of reads and writes to
// FSUIPC in one block and one message, and copies the reads back.
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
  // versions. `requestedVersion` 0 accepts any simulator. A failed open
  // holds nothing; an open link is left as it is (AlreadyOpen).
  LinkResult Open(uint32_t requestedVersion);
  // Gives back whatever the link holds; safe at any time, also repeatedly.
  void Close() { connection_.reset(); }
  bool IsOpen() const { return connection_.has_value(); }

  // One exchange: the requests in their order, one message (sent again
  // while unanswered, up to the retries), then the reads copied back when
  // every record of the answer is as sent. Nothing is sent when the link is
  // closed, there is no request, or they do not fit in the block.
  LinkResult Exchange(std::span<const LinkRequest> requests);

  // What the open link holds, for tests and diagnostics; nullptr when closed.
  const LinkConnection* Connection() const { return connection_ ? &*connection_ : nullptr; }
  // FSUIPC's versions as the last open read them; the simulator's low 16
  // bits only, once checked.
  uint32_t InterfaceVersion() const { return interfaceVersion_; }
  uint32_t SimulatorVersion() const { return simulatorVersion_; }
  // Why the last open or exchange that failed did so; Ok since an open
  // succeeded and no exchange failed.
  const LinkFailure& LastFailure() const { return lastFailure_; }

  // "FSASMLIB:IPC:" + process id in upper-case hex + ":1".
  static std::string BlockName(uint32_t processId);

 private:
  LinkResult OpenSteps(uint32_t requestedVersion);
  LinkResult Acquire(LinkIpc::Handle window, uint32_t message);
  // Keeps `result` as the last failure (with `systemError`) unless it is Ok.
  LinkResult Note(LinkResult result, uint32_t systemError = 0);
  LinkResult Handshake();
  LinkResult CheckVersions(bool foundAsFs98Main, uint32_t requestedVersion);
  bool SendBlock(uint32_t& answer);

  LinkIpc& ipc_;
  const int32_t& retries_;
  std::optional<LinkConnection> connection_;
  uint32_t interfaceVersion_ = 0;
  uint32_t simulatorVersion_ = 0;
  LinkFailure lastFailure_;
  bool opening_ = false;
};

}  // namespace horavia
