// The link to FSUIPC: the request block as it is encoded and checked, and
// the link's open, exchanges and repeats against the in-process simulator.

#include "link/link.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <tuple>
#include <vector>

#include "fakes/fake_platform.h"
#include "link/request_block.h"
#include "simstandin/core/in_process_simulator.h"

namespace horavia {
namespace {

using simstandin::InProcessSimulator;
namespace rb = request_block;

TEST(RequestBlockTest, RecordsArePackedLittleEndianAndTheCapacityCountsTheEndMarker) {
  std::vector<uint8_t> block(rb::kBlockSize, 0xEE);
  const uint8_t text[3] = {'H', 'V', 'A'};
  uint8_t into = 0;
  const LinkRequest two[] = {LinkRequest::Write(0x3380, 3, text), LinkRequest::Read(0x0238, 2, &into)};
  ASSERT_EQ(rb::EncodeRequests(block.data(), two), 15u + 18 + 4);
  const std::vector<uint8_t> expected{
      2, 0, 0, 0, 0x80, 0x33, 0, 0, 3, 0, 0, 0, 'H', 'V', 'A',     // write with its bytes
      1, 0, 0, 0, 0x38, 0x02, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 0, 0,  // read, token 1, zeroed
      0, 0, 0, 0, 0xEE};
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 38), expected);

  std::vector<uint8_t> bytes(rb::kCapacity);
  const uint32_t fits = rb::kCapacity - 4 - 16 - 12;
  const LinkRequest exact[] = {LinkRequest::Read(0, 0, nullptr), LinkRequest::Write(0, fits, bytes.data())};
  EXPECT_EQ(rb::EncodeRequests(block.data(), exact), rb::kCapacity);
  std::fill(block.begin(), block.end(), 0xEE);
  const LinkRequest over[] = {exact[0], LinkRequest::Write(0, fits + 1, nullptr)};
  EXPECT_FALSE(rb::EncodeRequests(block.data(), over));
  EXPECT_EQ(block[0], 0xEE) << "nothing encoded";
  EXPECT_FALSE(rb::EncodeRequests(block.data(), std::array{exact[0], LinkRequest::Read(0, 0xFFFFFFFFu, nullptr)}))
      << "a size near 4 GiB does not wrap the sum";
}

// Two reads around a write; a block changed anywhere else copies nothing,
// not even the intact first read. What an intact one delivers is in the
// link's exchanges below.
TEST(RequestBlockTest, ReadsAreDeliveredOnlyFromAnIntactBlock) {
  constexpr uint32_t kWrite = 17, kSecond = 31, kEnd = kSecond + 18;
  uint8_t hour = 0xAA;
  uint16_t day = 0;
  const uint8_t written[2] = {5, 0};
  const LinkRequest requests[] = {LinkRequest::Read(0x0238, 1, &hour), LinkRequest::Write(0x32FA, 2, written),
                                  LinkRequest::Read(0x023E, 2, &day)};
  std::array<uint8_t, rb::kBlockSize> intact{};
  ASSERT_EQ(rb::EncodeRequests(intact.data(), requests), kEnd + rb::kEndMarkerSize);
  std::array<uint8_t, rb::kBlockSize> block = intact;
  const std::pair<const char*, std::function<void()>> spoils[] = {
      {"unknown type", [&] { rb::StoreU32(block.data(), 7); }},
      {"read turned write", [&] { rb::StoreU32(block.data() + kSecond, rb::kTypeWrite); }},
      {"offset changed", [&] { rb::StoreU32(block.data() + 4, 0x0239); }},
      {"size grown", [&] { rb::StoreU32(block.data() + kSecond + 8, 3); }},
      {"size past the block", [&] { rb::StoreU32(block.data() + kSecond + 8, 0xFFFFFFF0u); }},
      {"token out of range", [&] { rb::StoreU32(block.data() + kSecond + 12, 0x7FFFFFF0u); }},
      {"token of another read", [&] { rb::StoreU32(block.data() + kSecond + 12, 0); }},
      {"write size changed", [&] { rb::StoreU32(block.data() + kWrite + 8, 1); }},
      {"end marker gone", [&] { rb::StoreU32(block.data() + kEnd, rb::kTypeRead); }},
      {"end marker early", [&] { rb::StoreU32(block.data() + kSecond, rb::kTypeEnd); }},
  };
  for (const auto& [what, spoil] : spoils) {
    SCOPED_TRACE(what);
    block = intact;
    spoil();
    EXPECT_FALSE(rb::DeliverReads(block.data(), rb::kBlockSize, requests));
    EXPECT_EQ(hour, 0xAA);
  }
  block = intact;
  EXPECT_FALSE(rb::DeliverReads(block.data(), kEnd + 3, requests)) << "end marker cut off";
  EXPECT_TRUE(rb::DeliverReads(block.data(), kEnd + 4, requests));
}

class LinkTest : public ::testing::Test {
 protected:
  void Open() {
    ASSERT_EQ(link.Open(0), LinkResult::Ok);
    sends = sim.Sends();
    sim.sleeps.clear();
  }
  LinkResult ReadHour() {
    const LinkRequest read[] = {LinkRequest::Read(0x0238, 1, &hour)};
    return link.Exchange(read);
  }
  int SendsNow() const { return sim.Sends() - sends; }

  fakes::FakeClock clock;
  int32_t retries = 40;
  InProcessSimulator sim{clock};
  Link link{sim, retries};
  uint8_t hour = 0xAA;
  int sends = 0;
};

// How each failed open is told, and that it holds nothing, is in
// not_connected_test.cpp; here the one rule the program never uses.
TEST_F(LinkTest, ARequestedSimulatorVersionMustMatch) {
  sim.standIn.Apply("version 19980005 FADE000B");
  EXPECT_EQ(link.Open(0x000C), LinkResult::WrongSimulator);
  EXPECT_EQ(link.Open(0x000B), LinkResult::Ok);
}

// FSUIPC answers 0 for a version it does not know yet: the open asks again,
// pausing 100 ms only while a version is missing and another round follows.
TEST_F(LinkTest, TheHandshakePausesOnlyBeforeAnotherRound) {
  // The versions at first (FSUIPC's, then the simulator's), the round from which both are known
  // (6: never), the rounds asked. FSUIPC that never learns its own is asked five times too.
  for (const auto& [unknown, knownFrom, rounds] :
       {std::tuple{"version 19980005 0", 1, 1}, {"version 19980005 0", 3, 3},
        {"version 19980005 0", 5, 5}, {"version 19980005 0", 6, 5}, {"version 0 FADE000C", 6, 5}}) {
    fakes::FakeClock pc;
    InProcessSimulator fresh{pc};
    Link freshLink{fresh, retries};
    fresh.standIn.Apply(unknown);
    fresh.beforeSend = [&fresh, from = knownFrom](int n) {
      if (n + 1 == from) fresh.standIn.Apply("version 19980005 FADE000C");
    };
    EXPECT_EQ(freshLink.Open(0), knownFrom <= 5 ? LinkResult::Ok : LinkResult::BadVersionFs98Main);
    EXPECT_EQ(fresh.Sends(), rounds) << unknown << ", " << knownFrom;
    EXPECT_EQ(fresh.sleeps, std::vector<uint32_t>(static_cast<size_t>(rounds - 1), 100)) << unknown;
  }
}

TEST_F(LinkTest, ExchangesReachTheSimulatorWithinTheBlocksCapacity) {
  EXPECT_EQ(ReadHour(), LinkResult::NotOpen);
  Open();
  EXPECT_EQ(link.Exchange({}), LinkResult::NothingQueued);
  sim.standIn.Apply("set zone -300");
  uint16_t day = 0;
  const uint8_t text[] = " HVA: OFF";
  const uint16_t seconds = 5;
  const LinkRequest requests[] = {LinkRequest::Read(0x023B, 1, &hour), LinkRequest::Read(0x023E, 2, &day),
                                  LinkRequest::Write(0x3380, sizeof text, text),
                                  LinkRequest::Write(0x32FA, 2, &seconds), LinkRequest::Read(0x0238, 1, nullptr)};
  ASSERT_EQ(link.Exchange(requests), LinkResult::Ok);
  EXPECT_TRUE(hour == 18 && day == 339 && sim.standIn.Aircraft().MessageText() == " HVA: OFF");
  // The block's last 256 bytes are never used: all fits in 32512.
  std::vector<uint8_t> big(32512, 0xAB);
  const uint32_t fits = 32512 - 4 - 16;  // a read's data; a write's header is 4 bytes shorter
  EXPECT_EQ(link.Exchange(std::array{LinkRequest::Write(0x4000, fits + 5, big.data())}), LinkResult::BufferFull);
  EXPECT_EQ(SendsNow(), 1) << "nothing is sent";
  ASSERT_EQ(link.Exchange(std::array{LinkRequest::Write(0x4000, fits + 4, big.data())}), LinkResult::Ok);
}

TEST_F(LinkTest, AHangingSimulatorGetsOneSendAndEachRepeatWithTheRetriesReadAfresh) {
  Open();
  retries = 3;
  sim.standIn.faults.hang = true;
  const uint64_t start = sim.NowMs();
  EXPECT_EQ(ReadHour(), LinkResult::Timeout);
  ASSERT_EQ(SendsNow(), 4);
  for (int n = 0; n < 4; ++n) EXPECT_EQ(sim.SendTime(sends + n) - start, n * 2100u);
  EXPECT_EQ(sim.sleeps, std::vector<uint32_t>(3, 100));
  EXPECT_EQ(hour, 0xAA) << "a failed exchange leaves destinations alone";
  sim.hangLastError = 1460;
  EXPECT_EQ(ReadHour(), LinkResult::SendFailed);
  sends = sim.Sends();
  retries = 40;
  sim.beforeSend = [this](int n) {
    if (n == sends + 1) retries = -5;  // lowered during the first repeat
  };
  EXPECT_TRUE(ReadHour() != LinkResult::Ok && SendsNow() == 2);
  sim.beforeSend = nullptr;
  sim.standIn.faults.hang = false;
  retries = 3;
  sim.hangSends = 3;
  EXPECT_TRUE(ReadHour() == LinkResult::Ok && hour == 13) << "the answer to the last repeat counts";
}

}  // namespace
}  // namespace horavia
