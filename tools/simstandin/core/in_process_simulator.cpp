#include "simstandin/core/in_process_simulator.h"

namespace simstandin {

InProcessSimulator::InProcessSimulator(horavia::Clock& clock, std::string className)
    : standIn(clock), windowClass(std::move(className)) {
  standIn.journal = [this](const std::string& line) {
    if (keepJournal) journal.push_back(line);
  };
}

horavia::LinkIpc::Handle InProcessSimulator::FindWindowByClass(const std::string& className) {
  return !windowClass.empty() && className == windowClass ? kWindow : 0;
}

uint32_t InProcessSimulator::RegisterMessage(const std::string& name) {
  if (!failRegisterMessage && name == "FSASMLIB:IPC") return kMessage;
  lastError_ = refusalError;
  return 0;
}

uint16_t InProcessSimulator::AddAtom(const std::string& name) {
  if (failAddAtom) {
    lastError_ = refusalError;
    return 0;
  }
  const uint16_t atom = nextAtom_++;
  atoms_[atom] = name;
  return atom;
}

void InProcessSimulator::DeleteAtom(uint16_t atom) { atoms_.erase(atom); }

horavia::LinkIpc::Mapping InProcessSimulator::CreateMapping(const std::string& name,
                                                            uint32_t size) {
  if (failCreateMapping) {
    lastError_ = refusalError;
    return {};
  }
  const bool existed = takenNames.count(name) != 0 || sections_.count(name) != 0;
  Section& section = sections_[name];
  if (!section.bytes) {
    section.bytes = std::make_unique<uint8_t[]>(size);
    section.size = size;
  }
  ++section.references;
  const Handle handle = nextHandle_++;
  handles_[handle] = name;
  return {handle, existed};
}

uint8_t* InProcessSimulator::MapView(Handle mapping) {
  const auto it = handles_.find(mapping);
  if (failMapView || it == handles_.end()) {
    lastError_ = refusalError;
    return nullptr;
  }
  Section& section = sections_[it->second];
  ++section.references;
  views_[section.bytes.get()] = it->second;
  return section.bytes.get();
}

void InProcessSimulator::Release(const std::string& name) {
  const auto it = sections_.find(name);
  if (it != sections_.end() && --it->second.references == 0) sections_.erase(it);
}

void InProcessSimulator::UnmapView(uint8_t* view) {
  const auto it = views_.find(view);
  if (it == views_.end()) return;
  const std::string name = it->second;
  views_.erase(it);
  Release(name);
}

void InProcessSimulator::CloseHandle(Handle handle) {
  const auto it = handles_.find(handle);
  if (it == handles_.end()) return;
  const std::string name = it->second;
  handles_.erase(it);
  Release(name);
}

uint8_t* InProcessSimulator::BlockNamed(const std::string& name) {
  const auto it = sections_.find(name);
  return it == sections_.end() ? nullptr : it->second.bytes.get();
}

bool InProcessSimulator::Send(Handle window, uint32_t message, uintptr_t wParam, intptr_t,
                              uint32_t timeoutMs, uint32_t& answer) {
  if (beforeSend) beforeSend(sends_);
  if (static_cast<size_t>(sends_) < sendTimes_.size())
    sendTimes_[static_cast<size_t>(sends_)] = nowMs_;
  ++sends_;
  if (window != kWindow || windowClass.empty()) {
    lastError_ = kErrorInvalidWindow;
    return false;
  }
  if (deniedSendError != 0) {
    lastError_ = deniedSendError;
    return false;
  }
  if (standIn.faults.hang || hangSends > 0) {
    if (hangSends > 0) --hangSends;
    nowMs_ += timeoutMs;
    lastError_ = hangLastError;
    return false;
  }
  answer = 0;
  lastError_ = 0;
  if (message != kMessage) return true;  // nobody handles it: DefWindowProc answers 0
  // FSUIPC finds the block by the atom's text; the atom is 16 bits wide.
  const auto atom = atoms_.find(static_cast<uint16_t>(wParam));
  if (atom == atoms_.end()) return true;
  const auto section = sections_.find(atom->second);
  if (section == sections_.end()) return true;
  answer = standIn.Serve(section->second.bytes.get(), section->second.size);
  return true;
}

void InProcessSimulator::Sleep(uint32_t milliseconds) {
  sleeps.push_back(milliseconds);
  nowMs_ += milliseconds;
}

}  // namespace simstandin
