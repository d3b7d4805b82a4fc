#include "simlink/link.h"

#include <cstdio>

namespace horavia {

namespace rb = request_block;

std::string Link::BlockName(uint32_t processId) {
  char text[32];
  std::snprintf(text, sizeof text, "FSASMLIB:IPC:%X:1", static_cast<unsigned>(processId));
  return text;
}

bool Link::LinkOpen(uint32_t requestedVersion, LinkResult& result) {
  state_.interfaceVersion = 0;
  state_.simulatorVersion = 0;
  if (state_.view != nullptr) {
    result = LinkAlreadyOpen;
    return false;
  }

  bool foundAsFs98Main = false;
  state_.window = ipc_.FindWindowByClass(kClassUipcMain);
  if (state_.window == 0) {
    state_.window = ipc_.FindWindowByClass(kClassFs98Main);
    foundAsFs98Main = true;
  }
  if (state_.window == 0) {
    result = LinkNoSimulator;
    return false;
  }

  state_.message = ipc_.RegisterMessage(kMessageName);
  if (state_.message == 0) {
    result = LinkNoMessage;
    return false;
  }

  const std::string name = BlockName(ipc_.ProcessId());
  state_.atom = static_cast<int16_t>(ipc_.AddAtom(name));
  if (state_.atom == 0) {
    result = LinkNoAtom;
    LinkClose();
    return false;
  }

  const LinkIpc::Mapping mapping = ipc_.CreateMapping(name, rb::kBlockSize);
  state_.mapping = mapping.handle;
  if (mapping.handle == 0 || mapping.alreadyExisted) {
    result = LinkNoMapping;
    LinkClose();
    return false;
  }

  state_.view = ipc_.MapView(state_.mapping);
  if (state_.view == nullptr) {
    result = LinkNoView;
    LinkClose();
    return false;
  }
  state_.next = state_.view;
  pending_.Clear();

  if (!Handshake(result)) {
    LinkClose();
    return false;
  }

  if (static_cast<int32_t>(state_.interfaceVersion) < 0x19980005 ||
      (state_.simulatorVersion >> 16) != 0xFADE) {
    result = foundAsFs98Main ? LinkBadVersionFs98Main : LinkBadVersion;
    LinkClose();
    return false;
  }
  state_.simulatorVersion &= 0xFFFF;
  if (requestedVersion != 0 && requestedVersion != state_.simulatorVersion) {
    result = LinkWrongSimulator;
    LinkClose();
    return false;
  }
  result = LinkOk;
  return true;
}

// FSUIPC may not know its versions yet right after the simulator starts, so
// ask a few times, pausing between rounds.
bool Link::Handshake(LinkResult& result) {
  for (int round = 0; round < 5; ++round) {
    if (state_.interfaceVersion != 0 && state_.simulatorVersion != 0) break;
    if (!LinkRead(kOffsetInterfaceVersion, 4, &state_.interfaceVersion, result) ||
        !LinkRead(kOffsetSimulatorVersion, 4, &state_.simulatorVersion, result) ||
        !LinkProcess(result)) {
      return false;
    }
    ipc_.Sleep(kRetryPauseMs);
  }
  return true;
}

void Link::LinkClose() {
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

void Link::LinkReset() {
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

bool Link::LinkRead(uint32_t offset, uint32_t size, void* destination, LinkResult& result) {
  if (state_.view == nullptr) {
    result = LinkNotOpen;
    return false;
  }
  if (!rb::RequestFits(Used(), rb::kReadHeaderSize, size) ||
      !pending_.Add({rb::kTypeRead, offset, size, Used(), destination})) {
    result = LinkBufferFull;
    return false;
  }
  rb::EncodeRead(state_.next, offset, size, pending_.Count() - 1);
  state_.next += rb::kReadHeaderSize + size;
  result = LinkOk;
  return true;
}

bool Link::LinkWrite(uint32_t offset, uint32_t size, const void* source, LinkResult& result) {
  if (state_.view == nullptr) {
    result = LinkNotOpen;
    return false;
  }
  if (!rb::RequestFits(Used(), rb::kWriteHeaderSize, size) ||
      !pending_.Add({rb::kTypeWrite, offset, size, Used(), nullptr})) {
    result = LinkBufferFull;
    return false;
  }
  rb::EncodeWrite(state_.next, offset, size, source);
  state_.next += rb::kWriteHeaderSize + size;
  result = LinkOk;
  return true;
}

// The first send and then up to SmTimeoutRetry repeats. The setting is read
// before each repeat, so a change made meanwhile (by a timer tick running in
// a nested message loop) takes effect at once.
bool Link::SendBlock(uint32_t& answer) {
  const auto wParam = static_cast<uintptr_t>(static_cast<intptr_t>(state_.atom));
  bool sent = ipc_.Send(state_.window, state_.message, wParam, 0, kSendTimeoutMs, answer);
  for (int32_t repeats = 0; !sent && repeats < settings_.SmTimeoutRetry; ++repeats) {
    ipc_.Sleep(kRetryPauseMs);
    sent = ipc_.Send(state_.window, state_.message, wParam, 0, kSendTimeoutMs, answer);
  }
  return sent;
}

bool Link::LinkProcess(LinkResult& result) {
  if (state_.view == nullptr) {
    result = LinkNotOpen;
    return false;
  }
  if (state_.next == state_.view) {
    result = LinkNothingQueued;
    return false;
  }
  rb::EncodeEnd(state_.next);
  state_.next = state_.view;

  uint32_t answer = 0;
  const bool sent = SendBlock(answer);
  if (!sent) {
    result = ipc_.LastError() == 0 ? LinkTimeout : LinkSendFailed;
    pending_.Clear();
    return false;
  }
  if (answer != 1) {
    result = LinkRejected;
    pending_.Clear();
    return false;
  }
  const bool delivered = rb::DeliverReads(state_.view, rb::kBlockSize, pending_);
  pending_.Clear();
  if (!delivered) return false;  // the result code stays as the caller had it
  result = LinkOk;
  return true;
}

}  // namespace horavia
