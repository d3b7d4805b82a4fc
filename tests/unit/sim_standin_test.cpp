// The simulator stand-in that the other tests and `./horavia run` lean on:
// its clock, its answers to writes, its commands and its checks of a block.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "link/request_block.h"
#include "simstandin/core/stand_in.h"

namespace simstandin {
namespace {

class StandInTest : public ::testing::Test {
 public:
  StandInTest() { standIn.journal = [this](const std::string& line) { journal.push_back(line); }; }
  void Write(uint32_t offset, std::vector<uint8_t> bytes) {
    standIn.Aircraft().Write(offset, static_cast<uint32_t>(bytes.size()), bytes.data());
  }
  std::string Clock() { return standIn.Aircraft().Describe(); }

  horavia::fakes::FakeClock pc;  // 2026-12-05 13:45:21, day 339
  StandIn standIn{pc};
  std::vector<std::string> journal;
};

TEST_F(StandInTest, TheClockRunsWithThePcAndMovesAsASimulatorsWould) {
  pc.now = {2026, 12, 31, 23, 59, 30};
  standIn.Apply("set zone -300");
  EXPECT_EQ(Clock(), "local 23:59:30 zulu 04:59 day 1 year 2027 zone -300 paused 0 ground 1")
      << "the Zulu date is the date at Zulu";
  Write(0x0238, {9, 30, 0});
  Write(0x023B, {12});
  EXPECT_EQ(Clock(), "local 09:30:00 zulu 12:30 day 365 year 2026 zone -180 paused 0 ground 1")
      << "a Zulu write keeps local time and moves the zone";
  Write(0x0238, {1});
  Write(0x023B, {23});
  Write(0x0240, {0xE8, 0x07});
  EXPECT_EQ(Clock(), "local 01:30:00 zulu 23:30 day 364 year 2024 zone 120 paused 0 ground 1")
      << "a zone wraps by a day, and the Zulu date follows";
  standIn.Apply("seconds zero");
  Write(0x0238, {7, 15, 37});
  const std::string before = Clock();
  EXPECT_EQ(before.substr(0, 14), "local 07:15:00");
  for (const char* bad : {"set time 25:00:00", "set zone 721", "drift x", "fly"}) standIn.Apply(bad);
  EXPECT_EQ(Clock(), before) << "bad commands change nothing";
  EXPECT_EQ(journal.back(), "error fly: unknown command");
}

TEST_F(StandInTest, MalformedBlocksAreAnsweredWithZero) {
  namespace rb = horavia::request_block;
  std::vector<uint8_t> block(64, 0);
  rb::EncodeRead(block.data(), 0x0238, 1, 0);
  rb::StoreU32(block.data() + 17, 9);
  EXPECT_EQ(standIn.Serve(block.data(), 64), 0u);
  EXPECT_EQ(journal.back(), "answer 0 bad record at 17");
  rb::EncodeRead(block.data() + 17, 0x0238, 1, 1);
  EXPECT_EQ(standIn.Serve(block.data(), 34), 0u) << "no end marker before the block ends";
  rb::EncodeEnd(block.data() + 34);
  EXPECT_EQ(standIn.Serve(block.data(), 64), 1u);
  EXPECT_EQ(block[16], 13);
}

}  // namespace
}  // namespace simstandin
