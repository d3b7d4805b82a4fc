#include "link/link.h"

#include <cstdio>

namespace horavia {

namespace rb = request_block;

std::string Link::BlockName(uint32_t processId) {
  char text[32];
  std::snprintf(text, sizeof text, "FSASMLIB:IPC:%X:1", static_cast<unsigned>(processId));
  return text;
}

bool Link::Open(uint32_t requestedVersion, LinkResult& result) {
  state_.interfaceVersion = 0;
  state_.simulatorVersion = 0;
  if (state_.view != nullptr) {
    result = LinkResult::AlreadyOpen;
    return false;
  }

  bool foundAsFs98Main = false;
  state_.window = ipc_.FindWindowByClass(kClassUipcMain);
  if (state_.window == 0) {
    state_.window = ipc_.FindWindowByClass(kClassFs98Main);
    foundAsFs98Main = true;
  }
  if (state_.window == 0) {
    result = LinkResult::NoSimulator;
    return false;
  }

  state_.message = ipc_.RegisterMessage(kMessageName);
  if (state_.message == 0) {
    result = LinkResult::NoMessage;
    return false;
  }

  const std::string name = BlockName(ipc_.ProcessId());
  state_.atom = static_cast<int16_t>(ipc_.AddAtom(name));
  if (state_.atom == 0) {
    result = LinkResult::NoAtom;
    Close();
    return false;
  }

  const LinkIpc::Mapping mapping = ipc_.CreateMapping(name, rb::kBlockSize);
  state_.mapping = mapping.handle;
  if (mapping.handle == 0 || mapping.alreadyExisted) {
    result = LinkResult::NoMapping;
    Close();
    return false;
  }

  state_.view = ipc_.MapView(state_.mapping);
  if (state_.view == nullptr) {
    result = LinkResult::NoView;
    Close();
    return false;
  }
  state_.next = state_.view;
  pending_.Clear();

  if (!Handshake(result)) {
    Close();
    return false;
  }

  if (static_cast<int32_t>(state_.interfaceVersion) < 0x19980005 ||
      (state_.simulatorVersion >> 16) != 0xFADE) {
    result = foundAsFs98Main ? LinkResult::BadVersionFs98Main : LinkResult::BadVersion;
    Close();
    return false;
  }
  state_.simulatorVersion &= 0xFFFF;
  if (requestedVersion != 0 && requestedVersion != state_.simulatorVersion) {
    result = LinkResult::WrongSimulator;
    Close();
    return false;
  }
  result = LinkResult::Ok;
  return true;
}

// FSUIPC may not know its versions yet right after the simulator starts, so
// ask a few times, pausing between rounds.
bool Link::Handshake(LinkResult& result) {
  for (int round = 0; round < 5; ++round) {
    if (state_.interfaceVersion != 0 && state_.simulatorVersion != 0) break;
    if (!Read(kOffsetInterfaceVersion, 4, &state_.interfaceVersion, result) ||
        !Read(kOffsetSimulatorVersion, 4, &state_.simulatorVersion, result) ||
        !Process(result)) {
      return false;
    }
    ipc_.Sleep(kRetryPauseMs);
  }
  return true;
}

void Link::Close() {
  state_.window = 0;
  state_.message = 0;
  state_.next = nullptr;
  pending_.Clear();
  if (state_.atom != 0) {
    ipc_.DeleteAtom(static_cast<uint16_t>(state_.atom));
    state_.atom = 0;
  }
  if (state_.view != nullptr) {
    ipc_.UnmapView(state_.view);
    state_.view = nullptr;
  }
  if (state_.mapping != 0) {
    ipc_.CloseHandle(state_.mapping);
    state_.mapping = 0;
  }
}

void Link::Reset() {
  state_.window = 0;
  state_.message = 0;
  state_.atom = 0;
  state_.mapping = 0;
  state_.view = nullptr;
  state_.next = nullptr;
  pending_.Clear();
}

void Link::DropQueued() {
  state_.next = state_.view;
  pending_.Clear();
}

bool Link::Read(uint32_t offset, uint32_t size, void* destination, LinkResult& result) {
  if (state_.view == nullptr) {
    result = LinkResult::NotOpen;
    return false;
  }
  if (!rb::RequestFits(Used(), rb::kReadHeaderSize, size) ||
      !pending_.Add({rb::kTypeRead, offset, size, Used(), destination})) {
    result = LinkResult::BufferFull;
    return false;
  }
  rb::EncodeRead(state_.next, offset, size, pending_.Count() - 1);
  state_.next += rb::kReadHeaderSize + size;
  result = LinkResult::Ok;
  return true;
}

bool Link::Write(uint32_t offset, uint32_t size, const void* source, LinkResult& result) {
  if (state_.view == nullptr) {
    result = LinkResult::NotOpen;
    return false;
  }
  if (!rb::RequestFits(Used(), rb::kWriteHeaderSize, size) ||
      !pending_.Add({rb::kTypeWrite, offset, size, Used(), nullptr})) {
    result = LinkResult::BufferFull;
    return false;
  }
  rb::EncodeWrite(state_.next, offset, size, source);
  state_.next += rb::kWriteHeaderSize + size;
  result = LinkResult::Ok;
  return true;
}

// The first send and then up to smTimeoutRetry repeats. The setting is read
// before each repeat, so a change made meanwhile (by a timer tick running in
// a nested message loop) takes effect at once.
bool Link::SendBlock(uint32_t& answer) {
  const auto wParam = static_cast<uintptr_t>(static_cast<intptr_t>(state_.atom));
  bool sent = ipc_.Send(state_.window, state_.message, wParam, 0, kSendTimeoutMs, answer);
  for (int32_t repeats = 0; !sent && repeats < retries_; ++repeats) {
    ipc_.Sleep(kRetryPauseMs);
    sent = ipc_.Send(state_.window, state_.message, wParam, 0, kSendTimeoutMs, answer);
  }
  return sent;
}

bool Link::Process(LinkResult& result) {
  if (state_.view == nullptr) {
    result = LinkResult::NotOpen;
    return false;
  }
  if (state_.next == state_.view) {
    result = LinkResult::NothingQueued;
    return false;
  }
  rb::EncodeEnd(state_.next);
  state_.next = state_.view;

  uint32_t answer = 0;
  const bool sent = SendBlock(answer);
  if (!sent) {
    result = ipc_.LastError() == 0 ? LinkResult::Timeout : LinkResult::SendFailed;
    pending_.Clear();
    return false;
  }
  if (answer != 1) {
    result = LinkResult::Rejected;
    pending_.Clear();
    return false;
  }
  const bool delivered = rb::DeliverReads(state_.view, rb::kBlockSize, pending_);
  pending_.Clear();
  if (!delivered) return false;  // the result code stays as the caller had it
  result = LinkResult::Ok;
  return true;
}

}  // namespace horavia
