// The link's walk of the shared block after a hostile simulator has had it:
// any header, size, token or end marker may have been changed, any answer
// given, any send failed. Whatever the block holds, the link may write only
// into the destinations it was given, and into all of them or none: all
// when every record it queued is still in place (each then gets the bytes
// of its own record), none otherwise. Guard bytes around each destination,
// poisoned for ASan too, catch a write anywhere else.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/simulator_offsets.h"
#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "guarded_buffer.h"
#include "hostile_simulator.h"
#include "settings/settings.h"
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

// A result code no operation gives: what a failed walk must leave alone.
constexpr auto kUntouchedResult = static_cast<LinkResult>(0x5A5A);

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

bool Fits(uint32_t used, const Request& r) {
  return uint64_t{used} + rb::kEndMarkerSize + HeaderSize(r) + r.size <= rb::kCapacity;
}

// One exchange: queue, let the simulator have the block, check the outcome.
void Exchange(Link& link, HostileSimulator& sim, horavia::Settings& settings, FuzzInput& in) {
  std::vector<Request> requests = RequestsFrom(in);
  sim.plan = ReadPlan(in);

  uint32_t used = 0;
  std::vector<Request*> queued;
  for (Request& r : requests) {
    const bool fits = Fits(used, r);
    // A request that cannot fit gets a one-byte buffer: the link must not
    // touch it at all.
    r.buffer = std::make_unique<Guarded>(fits ? r.size : 1, r.fill);
    if (!r.read) {
      for (size_t i = 0; i < r.buffer->Size(); ++i)
        r.buffer->Data()[i] = static_cast<uint8_t>(i * 7 + r.fill);
    }
    LinkResult result = kUntouchedResult;
    const bool accepted =
        r.read ? link.Read(r.offset, r.size, r.nullDestination ? nullptr : r.buffer->Data(),
                               result)
               : link.Write(r.offset, r.size, r.buffer->Data(), result);
    FUZZ_CHECK(accepted == fits);
    FUZZ_CHECK(result == (fits ? horavia::LinkResult::Ok : horavia::LinkResult::BufferFull));
    if (!fits) {
      if (r.read) FUZZ_CHECK(r.buffer->Data()[0] == r.fill);
      continue;
    }
    r.position = used;
    used += HeaderSize(r) + r.size;
    queued.push_back(&r);
  }

  sim.StartExchange(used);
  LinkResult result = kUntouchedResult;
  const bool ok = link.Process(result);
  FUZZ_CHECK(link.State().next == link.State().view);

  if (queued.empty()) {
    FUZZ_CHECK(!ok && result == horavia::LinkResult::NothingQueued && sim.sendsThisExchange == 0);
    return;
  }

  // The block as handed over holds exactly what was queued.
  FUZZ_CHECK(sim.asQueued.size() == rb::kBlockSize);
  const uint8_t* handed = sim.asQueued.data();
  for (const Request* r : queued) {
    const uint8_t* at = handed + r->position;
    FUZZ_CHECK(rb::LoadU32(at) == (r->read ? rb::kTypeRead : rb::kTypeWrite));
    FUZZ_CHECK(rb::LoadU32(at + 4) == r->offset && rb::LoadU32(at + 8) == r->size);
    const uint8_t* dataAt = at + HeaderSize(*r);
    for (uint32_t i = 0; i < r->size; ++i) {
      FUZZ_CHECK(dataAt[i] == (r->read ? 0 : r->buffer->Data()[i]));
    }
  }
  FUZZ_CHECK(rb::LoadU32(handed + used) == rb::kTypeEnd);

  const int repeats = settings.smTimeoutRetry > 0 ? settings.smTimeoutRetry : 0;
  const bool gotThrough = sim.plan.failedSends <= repeats;
  const uint8_t* block = link.State().view;
  bool intact = true;
  for (const Request* r : queued) {
    intact = intact && std::memcmp(block + r->position, handed + r->position, HeaderSize(*r)) == 0;
  }
  intact = intact && rb::LoadU32(block + used) == rb::kTypeEnd;
  if (!gotThrough) {
    FUZZ_CHECK(sim.sendsThisExchange == 1 + repeats);
    FUZZ_CHECK(!ok);
    FUZZ_CHECK(result ==
               (sim.plan.lastError == 0 ? horavia::LinkResult::Timeout : horavia::LinkResult::SendFailed));
  } else if (sim.answerGiven != 1) {
    FUZZ_CHECK(sim.sendsThisExchange == sim.plan.failedSends + 1);
    FUZZ_CHECK(!ok && result == horavia::LinkResult::Rejected);
  } else {
    FUZZ_CHECK(sim.sendsThisExchange == sim.plan.failedSends + 1);
    FUZZ_CHECK(ok == intact);
    FUZZ_CHECK(result == (intact ? horavia::LinkResult::Ok : kUntouchedResult));
  }
  const bool delivered = ok;
  for (const Request* r : queued) {
    FUZZ_CHECK(r->buffer->GuardsWhole());
    if (!r->read) continue;
    for (uint32_t i = 0; i < r->size; ++i) {
      const uint8_t now = r->buffer->Data()[i];
      if (delivered && !r->nullDestination) {
        FUZZ_CHECK(now == block[r->position + rb::kReadHeaderSize + i]);
      } else {
        FUZZ_CHECK(now == r->fill);
      }
    }
  }
  for (Request& r : requests) FUZZ_CHECK(r.buffer->GuardsWhole());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint8_t flags = in.Byte();
  horavia::fakes::FakeClock clock;
  HostileSimulator sim(clock, (flags & 1) != 0 ? Link::kClassUipcMain : Link::kClassFs98Main);
  horavia::Settings settings;
  settings.smTimeoutRetry = (flags >> 2) % 5 - 1;
  Link link(sim, settings.smTimeoutRetry);

  // The handshake, honest or not. A failed open leaves nothing behind, and
  // an honest one then succeeds.
  LinkResult result = kUntouchedResult;
  if ((flags & 2) != 0) {
    sim.plansFrom = &in;
    sim.StartExchange(2 * (rb::kReadHeaderSize + 4));
    const bool opened = link.Open(0, result);
    sim.plansFrom = nullptr;
    if (opened) {
      FUZZ_CHECK(result == horavia::LinkResult::Ok);
      FUZZ_CHECK(static_cast<int32_t>(link.State().interfaceVersion) >= 0x19980005);
      FUZZ_CHECK(link.State().simulatorVersion <= 0xFFFF);
    } else {
      FUZZ_CHECK(link.State().view == nullptr);
      FUZZ_CHECK(sim.LiveAtoms() == 0 && sim.LiveViews() == 0 && sim.LiveHandles() == 0);
    }
  }
  if (link.State().view == nullptr) {
    sim.plan = Plan{};
    sim.StartExchange(2 * (rb::kReadHeaderSize + 4));
    FUZZ_CHECK(link.Open(0, result) && result == horavia::LinkResult::Ok);
  }

  for (int n = 0; n < 8 && !in.Empty(); ++n) Exchange(link, sim, settings, in);

  link.Close();
  FUZZ_CHECK(sim.LiveAtoms() == 0 && sim.LiveViews() == 0 && sim.LiveHandles() == 0);
  return 0;
}
