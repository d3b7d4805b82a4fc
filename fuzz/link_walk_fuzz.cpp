// The link's walk of the shared block after a hostile simulator has had it:
// any header, size, token or end marker may have been changed, any answer
// given, any send failed. Whatever the block holds, the link may write only
// into the destinations it was given, and into all of them or none: all
// when every record it queued is still in place (each then gets the bytes
// of its own record), none otherwise. Guard bytes around each destination,
// poisoned for ASan too, catch a write anywhere else.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "timekeeping/simulator_offsets.h"
#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "guarded_buffer.h"
#include "hostile_simulator.h"
#include "link/link.h"
#include "link/request_block.h"

namespace {

namespace rb = horavia::request_block;
using horavia::Link;
using horavia::LinkResult;
using horavia::fuzz::FuzzInput;
using horavia::fuzz::Guarded;
using horavia::fuzz::HostileSimulator;
using horavia::fuzz::Plan;
using horavia::fuzz::ReadPlan;

struct Request {
  bool read = true;
  uint32_t offset = 0;
  uint32_t size = 0;
  bool nullDestination = false;
  uint32_t position = 0;            // where the oracle expects its header
  std::unique_ptr<Guarded> buffer;  // destination or source
  uint8_t fill = 0;
};

uint32_t SizeFrom(FuzzInput& in, uint8_t kind) {
  switch ((kind >> 2) & 3) {
    case 0:
      return in.Byte() % 17;
    case 1:
      return in.U16() % 2048;
    case 2:
      return in.U16();
    default:
      return in.U32();
  }
}

std::vector<Request> RequestsFrom(FuzzInput& in) {
  namespace o = horavia::offsets;
  std::vector<Request> list;
  auto add = [&](bool read, uint32_t offset, uint32_t size) {
    Request r;
    r.read = read;
    r.offset = offset;
    r.size = size;
    list.push_back(std::move(r));
  };
  switch (in.Byte() % 4) {
    case 0:  // the sync cycle's reads
      add(true, o::kOnGround, 2);
      add(true, o::kPaused, 2);
      for (uint32_t at :
           {o::kLocalHour, o::kLocalMinute, o::kSecond, o::kZuluHour, o::kZuluMinute}) {
        add(true, at, 1);
      }
      add(true, o::kZuluDayOfYear, 2);
      add(true, o::kZuluYear, 2);
      break;
    case 1:  // setting the clock, then the status text
      for (uint32_t at :
           {o::kLocalHour, o::kLocalMinute, o::kSecond, o::kZuluHour, o::kZuluMinute}) {
        add(false, at, 1);
      }
      add(false, o::kMessageText, 128);
      add(false, o::kMessageSeconds, 2);
      break;
    case 2:  // whatever the input says
      for (int n = in.Byte() % 24; n > 0; --n) {
        const uint8_t kind = in.Byte();
        Request r;
        r.read = (kind & 1) == 0;
        r.nullDestination = r.read && (kind & 2) != 0;
        r.offset = in.U16();
        r.size = SizeFrom(in, kind);
        list.push_back(std::move(r));
      }
      break;
    default: {  // up to the capacity, exactly, then one byte more
      const uint32_t first = in.U16() % 32000;
      add(true, o::kZuluYear, first);
      const uint32_t left = rb::kCapacity - rb::kEndMarkerSize - rb::kReadHeaderSize - first;
      add(false, o::kMessageText, left - rb::kWriteHeaderSize + (in.Byte() & 1));
      add(true, o::kSecond, 0);
      break;
    }
  }
  for (Request& r : list) r.fill = in.Byte();
  return list;
}

uint32_t HeaderSize(const Request& r) {
  return r.read ? rb::kReadHeaderSize : rb::kWriteHeaderSize;
}

// Where each record's header goes, and whether all of them and the end
// marker fit in the block; `used` ends at the end marker.
bool Place(std::vector<Request>& requests, uint32_t& used) {
  uint64_t at = 0;
  for (Request& r : requests) {
    r.position = static_cast<uint32_t>(std::min<uint64_t>(at, rb::kBlockSize));
    at += HeaderSize(r) + uint64_t{r.size};
  }
  used = static_cast<uint32_t>(std::min<uint64_t>(at, rb::kBlockSize));
  return at + rb::kEndMarkerSize <= rb::kCapacity;
}

// The buffers, guarded: a write's bytes, a read's fill. Requests that do not
// fit get one byte each: the link must not touch them at all.
std::vector<horavia::LinkRequest> Buffers(std::vector<Request>& requests, bool fit) {
  std::vector<horavia::LinkRequest> batch;
  for (Request& r : requests) {
    r.buffer = std::make_unique<Guarded>(fit ? r.size : 1, r.fill);
    if (!r.read) {
      for (size_t i = 0; i < r.buffer->Size(); ++i)
        r.buffer->Data()[i] = static_cast<uint8_t>(i * 7 + r.fill);
    }
    batch.push_back(r.read ? horavia::LinkRequest::Read(
                                 r.offset, r.size, r.nullDestination ? nullptr : r.buffer->Data())
                           : horavia::LinkRequest::Write(r.offset, r.size, r.buffer->Data()));
  }
  return batch;
}

// The block as handed over holds exactly the records, in order, and the
// end marker.
void CheckHandedOver(const HostileSimulator& sim, const std::vector<Request>& requests,
                     uint32_t used) {
  FUZZ_CHECK(sim.asQueued.size() == rb::kBlockSize);
  const uint8_t* handed = sim.asQueued.data();
  for (const Request& r : requests) {
    const uint8_t* at = handed + r.position;
    FUZZ_CHECK(rb::LoadU32(at) == (r.read ? rb::kTypeRead : rb::kTypeWrite));
    FUZZ_CHECK(rb::LoadU32(at + 4) == r.offset && rb::LoadU32(at + 8) == r.size);
    const uint8_t* dataAt = at + HeaderSize(r);
    for (uint32_t i = 0; i < r.size; ++i) {
      FUZZ_CHECK(dataAt[i] == (r.read ? 0 : r.buffer->Data()[i]));
    }
  }
  FUZZ_CHECK(rb::LoadU32(handed + used) == rb::kTypeEnd);
}

// Whether the block still holds every header as handed over, and the end
// marker: only then may the reads be delivered.
bool Intact(const uint8_t* block, const HostileSimulator& sim, const std::vector<Request>& requests,
            uint32_t used) {
  const uint8_t* handed = sim.asQueued.data();
  for (const Request& r : requests) {
    if (std::memcmp(block + r.position, handed + r.position, HeaderSize(r)) != 0) return false;
  }
  return rb::LoadU32(block + used) == rb::kTypeEnd;
}

// The outcome the sends and the answer call for.
void CheckOutcome(const HostileSimulator& sim, int32_t retries, bool intact, LinkResult result) {
  const int repeats = retries > 0 ? retries : 0;
  if (sim.plan.failedSends > repeats) {
    FUZZ_CHECK(sim.sendsThisExchange == 1 + repeats);
    FUZZ_CHECK(result == (sim.plan.lastError == 0 ? LinkResult::Timeout : LinkResult::SendFailed));
    return;
  }
  FUZZ_CHECK(sim.sendsThisExchange == sim.plan.failedSends + 1);
  if (sim.answerGiven != 1) {
    FUZZ_CHECK(result == LinkResult::Rejected);
  } else {
    FUZZ_CHECK(result == (intact ? LinkResult::Ok : LinkResult::SpoiledAnswer));
  }
}

// Each read got the bytes of its own record when the exchange succeeded,
// and kept its fill otherwise; no guard byte was touched.
void CheckDestinations(const uint8_t* block, const std::vector<Request>& requests, bool delivered) {
  for (const Request& r : requests) {
    FUZZ_CHECK(r.buffer->GuardsWhole());
    if (!r.read) continue;
    for (uint32_t i = 0; i < r.size; ++i) {
      const uint8_t now = r.buffer->Data()[i];
      if (delivered && !r.nullDestination) {
        FUZZ_CHECK(now == block[r.position + rb::kReadHeaderSize + i]);
      } else {
        FUZZ_CHECK(now == r.fill);
      }
    }
  }
}

// One exchange: the requests, the simulator's way with the block, the
// outcome. Requests that do not fit all together are not sent at all.
void Exchange(Link& link, HostileSimulator& sim, const int32_t& retries, FuzzInput& in) {
  std::vector<Request> requests = RequestsFrom(in);
  sim.plan = ReadPlan(in);
  uint32_t used = 0;
  const bool fit = Place(requests, used);
  const std::vector<horavia::LinkRequest> batch = Buffers(requests, fit);
  sim.StartExchange(used);
  const LinkResult result = link.Exchange(batch);
  if (requests.empty() || !fit) {
    FUZZ_CHECK(result == (requests.empty() ? LinkResult::NothingQueued : LinkResult::BufferFull));
    FUZZ_CHECK(sim.sendsThisExchange == 0);
    for (const Request& r : requests) {
      FUZZ_CHECK(r.buffer->GuardsWhole() && r.buffer->Data()[0] == r.fill);
    }
    return;
  }
  CheckHandedOver(sim, requests, used);
  const uint8_t* block = link.Connection()->view;
  const bool intact = Intact(block, sim, requests, used);
  CheckOutcome(sim, retries, intact, result);
  CheckDestinations(block, requests, result == LinkResult::Ok);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint8_t flags = in.Byte();
  horavia::fakes::FakeClock clock;
  HostileSimulator sim(clock, (flags & 1) != 0 ? Link::kClassUipcMain : Link::kClassFs98Main);
  const int32_t retries = (flags >> 2) % 5 - 1;
  Link link(sim, retries);

  // The handshake, honest or not. A failed open leaves nothing behind, and
  // an honest one then succeeds.
  if ((flags & 2) != 0) {
    sim.plansFrom = &in;
    sim.StartExchange(2 * (rb::kReadHeaderSize + 4));
    const LinkResult result = link.Open(0);
    sim.plansFrom = nullptr;
    if (result == LinkResult::Ok) {
      FUZZ_CHECK(static_cast<int32_t>(link.InterfaceVersion()) >= 0x19980005);
      FUZZ_CHECK(link.SimulatorVersion() <= 0xFFFF);
    } else {
      FUZZ_CHECK(!link.IsOpen());
      FUZZ_CHECK(sim.LiveAtoms() == 0 && sim.LiveViews() == 0 && sim.LiveHandles() == 0);
    }
  }
  if (!link.IsOpen()) {
    sim.plan = Plan{};
    sim.StartExchange(2 * (rb::kReadHeaderSize + 4));
    FUZZ_CHECK(link.Open(0) == LinkResult::Ok);
  }

  for (int n = 0; n < 8 && !in.Empty(); ++n) Exchange(link, sim, retries, in);

  link.Close();
  FUZZ_CHECK(sim.LiveAtoms() == 0 && sim.LiveViews() == 0 && sim.LiveHandles() == 0);
  return 0;
}
