#pragma once

// The simulator stand-in turned against the link: per exchange, a plan read
// from the fuzzer's input says which sends fail, whether the records are
// served, what is answered and how the block is spoiled afterwards.

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "link/link.h"
#include "link/request_block.h"
#include "simstandin/core/in_process_simulator.h"

namespace horavia::fuzz {

namespace rb = request_block;

// What the simulator does with one exchange.
struct Plan {
  int failedSends = 0;  // before one gets through, if the client keeps trying
  uint32_t lastError = 0;
  bool serve = true;  // carry out the records honestly before spoiling them
  bool answerOverridden = false;
  uint32_t answer = 1;
  // Spoiling: bytes and 32-bit values put at positions within the records
  // (and a little past them), and bytes put over the block's start.
  std::vector<std::pair<uint32_t, uint8_t>> bytePokes;
  std::vector<std::pair<uint32_t, uint32_t>> wordPokes;
  std::string overStart;
};

inline Plan ReadPlan(FuzzInput& in) {
  Plan plan;
  const uint8_t a = in.Byte();
  plan.failedSends = a & 3;
  plan.lastError = (a & 0x20) != 0 ? 1400 : 0;
  plan.serve = (a & 4) == 0;
  switch ((a >> 3) & 3) {
    case 1:
      plan.answerOverridden = true;
      plan.answer = 0;
      break;
    case 2:
      plan.answerOverridden = true;
      plan.answer = in.U32();
      break;
    default:
      break;
  }
  switch (in.Byte() % 4) {
    case 1:
      for (int n = in.Byte() % 8 + 1; n > 0; --n) plan.bytePokes.emplace_back(in.U16(), in.Byte());
      break;
    case 2:
      for (int n = in.Byte() % 4 + 1; n > 0; --n) plan.wordPokes.emplace_back(in.U16(), in.U32());
      break;
    case 3:
      plan.overStart = in.Text8();
      break;
    default:
      break;
  }
  return plan;
}

// The simulator stand-in, turned hostile: it serves (or not) and then
// spoils the block as the plan says, answering what the plan says.
class HostileSimulator : public simstandin::InProcessSimulator {
 public:
  explicit HostileSimulator(horavia::Clock& clock, std::string windowClass)
      : InProcessSimulator(clock, std::move(windowClass)) {
    keepJournal = false;
  }

  Plan plan;
  uint32_t recordsEnd = 0;  // of the exchange under way, end marker excluded
  int sendsThisExchange = 0;
  bool lastSendGotThrough = false;
  uint32_t answerGiven = 0;
  std::vector<uint8_t> asQueued;  // the block as the client handed it over
  // During the handshake the plans come from the input as the sends come.
  FuzzInput* plansFrom = nullptr;

  bool Send(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t timeoutMs,
            uint32_t& answer) override {
    uint8_t* block = BlockNamed(Link::BlockName(ProcessId()));
    if (sendsThisExchange++ == 0) {
      if (plansFrom != nullptr) plan = ReadPlan(*plansFrom);
      if (block != nullptr) asQueued.assign(block, block + rb::kBlockSize);
    }
    lastSendGotThrough = false;
    if (sendsThisExchange <= plan.failedSends) {
      lastError_ = plan.lastError;
      return false;
    }
    lastError_ = 0;
    uint32_t served = 1;
    if (plan.serve &&
        !InProcessSimulator::Send(window, message, wParam, lParam, timeoutMs, served)) {
      lastError_ = InProcessSimulator::LastError();
      return false;
    }
    if (block != nullptr) Spoil(block);
    answer = answerGiven = plan.answerOverridden ? plan.answer : served;
    lastSendGotThrough = true;
    return true;
  }
  uint32_t LastError() override { return lastError_; }
  // The handshake pauses after each of its exchanges, as the client never
  // does after a send that got through otherwise: the next send starts a
  // new exchange.
  void Sleep(uint32_t milliseconds) override {
    if (lastSendGotThrough) StartExchange(recordsEnd);
    InProcessSimulator::Sleep(milliseconds);
  }

  void StartExchange(uint32_t end) {
    recordsEnd = end;
    sendsThisExchange = 0;
    lastSendGotThrough = false;
    answerGiven = 0;
    asQueued.clear();
  }

 private:
  void Spoil(uint8_t* block) const {
    const uint32_t reach = recordsEnd + rb::kEndMarkerSize + 4;
    for (const auto& [at, value] : plan.bytePokes) block[at % reach] = value;
    for (const auto& [at, value] : plan.wordPokes) {
      const uint32_t where = at % reach;
      if (where + 4 <= rb::kBlockSize) rb::StoreU32(block + where, value);
    }
    std::memcpy(block, plan.overStart.data(), plan.overStart.size());
  }

  uint32_t lastError_ = 0;
};

}  // namespace horavia::fuzz
