#include "link/link.h"

#include <cstdio>

#include "link/request_block.h"

namespace horavia {

namespace rb = request_block;

LinkConnection::~LinkConnection() {
  if (atom != 0) ipc_.DeleteAtom(static_cast<uint16_t>(atom));
  if (view != nullptr) ipc_.UnmapView(view);
  if (mapping != 0) ipc_.CloseHandle(mapping);
}

std::string Link::BlockName(uint32_t processId) {
  char text[32];
  std::snprintf(text, sizeof text, "FSASMLIB:IPC:%X:1", static_cast<unsigned>(processId));
  return text;
}

LinkResult Link::Open(uint32_t requestedVersion) {
  interfaceVersion_ = 0;
  simulatorVersion_ = 0;
  // Not a failure of the connection: the open link is left working.
  if (IsOpen()) return LinkResult::AlreadyOpen;
  opening_ = true;
  const LinkResult result = OpenSteps(requestedVersion);
  opening_ = false;
  if (result == LinkResult::Ok) lastFailure_ = {};
  return result;
}

LinkResult Link::Note(LinkResult result, uint32_t systemError) {
  if (result != LinkResult::Ok) lastFailure_ = {result, systemError, opening_};
  return result;
}

LinkResult Link::OpenSteps(uint32_t requestedVersion) {
  bool foundAsFs98Main = false;
  LinkIpc::Handle window = ipc_.FindWindowByClass(kClassUipcMain);
  if (window == 0) {
    window = ipc_.FindWindowByClass(kClassFs98Main);
    foundAsFs98Main = true;
  }
  if (window == 0) return Note(LinkResult::NoSimulator);
  const uint32_t message = ipc_.RegisterMessage(kMessageName);
  if (message == 0) return Note(LinkResult::NoMessage, ipc_.LastError());

  LinkResult result = Acquire(window, message);
  if (result == LinkResult::Ok) result = Handshake();
  if (result == LinkResult::Ok) result = Note(CheckVersions(foundAsFs98Main, requestedVersion));
  if (result != LinkResult::Ok) Close();
  return result;
}

// The block's name travels as the atom's text; the mapping must be a new
// one, or another program could read and answer in FSUIPC's place.
LinkResult Link::Acquire(LinkIpc::Handle window, uint32_t message) {
  LinkConnection& connection = connection_.emplace(ipc_);
  connection.window = window;
  connection.message = message;
  const std::string name = BlockName(ipc_.ProcessId());
  connection.atom = static_cast<int16_t>(ipc_.AddAtom(name));
  if (connection.atom == 0) return Note(LinkResult::NoAtom, ipc_.LastError());
  const LinkIpc::Mapping mapping = ipc_.CreateMapping(name, rb::kBlockSize);
  connection.mapping = mapping.handle;
  if (mapping.handle == 0) return Note(LinkResult::NoMapping, ipc_.LastError());
  if (mapping.alreadyExisted) return Note(LinkResult::NoMapping, LinkFailure::kAlreadyExists);
  connection.view = ipc_.MapView(connection.mapping);
  if (connection.view == nullptr) return Note(LinkResult::NoView, ipc_.LastError());
  return LinkResult::Ok;
}

// FSUIPC may not know its versions yet right after the simulator starts, so
// ask a few times, pausing between rounds; once both are known, or after the
// last round, there is nothing to wait for.
LinkResult Link::Handshake() {
  constexpr int kRounds = 5;
  for (int round = 1; round <= kRounds; ++round) {
    const LinkRequest versions[] = {
        LinkRequest::Read(kOffsetInterfaceVersion, 4, &interfaceVersion_),
        LinkRequest::Read(kOffsetSimulatorVersion, 4, &simulatorVersion_)};
    const LinkResult result = Exchange(versions);
    if (result != LinkResult::Ok) return result;
    if (interfaceVersion_ != 0 && simulatorVersion_ != 0) break;
    if (round < kRounds) ipc_.Sleep(kRetryPauseMs);
  }
  return LinkResult::Ok;
}

LinkResult Link::CheckVersions(bool foundAsFs98Main, uint32_t requestedVersion) {
  if (static_cast<int32_t>(interfaceVersion_) < 0x19980005 || (simulatorVersion_ >> 16) != 0xFADE) {
    return foundAsFs98Main ? LinkResult::BadVersionFs98Main : LinkResult::BadVersion;
  }
  simulatorVersion_ &= 0xFFFF;
  if (requestedVersion != 0 && requestedVersion != simulatorVersion_) {
    return LinkResult::WrongSimulator;
  }
  return LinkResult::Ok;
}

// The first send and then up to `retries_` repeats. The setting is read
// before each repeat, so a change made meanwhile (by a timer tick running in
// a nested message loop) takes effect at once.
bool Link::SendBlock(uint32_t& answer) {
  const auto wParam = static_cast<uintptr_t>(static_cast<intptr_t>(connection_->atom));
  const LinkIpc::Handle window = connection_->window;
  const uint32_t message = connection_->message;
  bool sent = ipc_.Send(window, message, wParam, 0, kSendTimeoutMs, answer);
  for (int32_t repeats = 0; !sent && repeats < retries_; ++repeats) {
    ipc_.Sleep(kRetryPauseMs);
    sent = ipc_.Send(window, message, wParam, 0, kSendTimeoutMs, answer);
  }
  return sent;
}

LinkResult Link::Exchange(std::span<const LinkRequest> requests) {
  if (!IsOpen()) return Note(LinkResult::NotOpen);
  if (requests.empty()) return Note(LinkResult::NothingQueued);
  if (!rb::EncodeRequests(connection_->view, requests)) return Note(LinkResult::BufferFull);
  uint32_t answer = 0;
  if (!SendBlock(answer)) {
    const uint32_t error = ipc_.LastError();
    return Note(error == 0 ? LinkResult::Timeout : LinkResult::SendFailed, error);
  }
  if (answer != 1) return Note(LinkResult::Rejected);
  if (!rb::DeliverReads(connection_->view, rb::kBlockSize, requests)) {
    return Note(LinkResult::SpoiledAnswer);
  }
  return LinkResult::Ok;
}

}  // namespace horavia
