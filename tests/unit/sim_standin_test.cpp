#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "link/request_block.h"
#include "simstandin/core/stand_in.h"

namespace simstandin {
namespace {

class StandInTest : public ::testing::Test {
 public:
  void SetUp() override {
    standIn.journal = [this](const std::string& line) { journal.push_back(line); };
  }
  uint8_t Byte(uint32_t offset) {
    uint8_t b = 0;
    standIn.Aircraft().Read(offset, 1, &b);
    return b;
  }
  uint16_t Word(uint32_t offset) {
    uint8_t b[2] = {};
    standIn.Aircraft().Read(offset, 2, b);
    return static_cast<uint16_t>(b[0] | b[1] << 8);
  }
  void Write(uint32_t offset, std::vector<uint8_t> bytes) {
    standIn.Aircraft().Write(offset, static_cast<uint32_t>(bytes.size()), bytes.data());
  }
  std::string Clock() { return standIn.Aircraft().Describe(); }

  horavia::fakes::FakeClock pc;  // 2026-12-05 13:45:21, day 339
  StandIn standIn{pc};
  std::vector<std::string> journal;
};

TEST_F(StandInTest, ClockRunsWithThePcClockAndTheZone) {
  EXPECT_EQ(Clock(), "local 13:45:21 zulu 13:45 day 339 year 2026 zone 0 paused 0 ground 1");
  standIn.Apply("set zone 330");
  EXPECT_EQ(Clock(), "local 13:45:21 zulu 08:15 day 339 year 2026 zone 330 paused 0 ground 1");
  pc.now = {2026, 12, 31, 23, 59, 30};
  standIn.Apply("set zone -300");
  EXPECT_EQ(Clock(), "local 23:59:30 zulu 04:59 day 1 year 2027 zone -300 paused 0 ground 1")
      << "the Zulu date is the date at Zulu";
  standIn.Apply("drift 45");
  EXPECT_EQ(Byte(0x0238), 0);
  EXPECT_EQ(Byte(0x023A), 15);
  standIn.Apply("set time 06:07:08");
  EXPECT_EQ(Byte(0x0238), 6);
  EXPECT_EQ(Byte(0x0239), 7);
  EXPECT_EQ(Byte(0x023B), 11);
  EXPECT_EQ(Word(0x023E), 1);
  EXPECT_EQ(Word(0x0240), 2027);
  standIn.Apply("set date 60 2024");
  EXPECT_EQ(Word(0x023E), 60);
  EXPECT_EQ(Word(0x0240), 2024);
  EXPECT_EQ(Byte(0x0238), 6) << "a new date keeps the time of day";
}

TEST_F(StandInTest, ClientWritesMoveTheClockAsASimulatorWould) {
  standIn.Apply("set zone -300");  // local 13:45:21, Zulu 18:45
  Write(0x0238, {9, 30, 0});
  EXPECT_EQ(Clock(), "local 09:30:00 zulu 14:30 day 339 year 2026 zone -300 paused 0 ground 1");
  Write(0x023B, {12});
  EXPECT_EQ(Clock(), "local 09:30:00 zulu 12:30 day 339 year 2026 zone -180 paused 0 ground 1")
      << "a Zulu write keeps local time and moves the zone";
  Write(0x023C, {0});
  EXPECT_EQ(Clock(), "local 09:30:00 zulu 12:00 day 339 year 2026 zone -150 paused 0 ground 1");
  Write(0x0238, {1});
  Write(0x023B, {23});
  EXPECT_EQ(Clock(), "local 01:30:00 zulu 23:00 day 338 year 2026 zone 150 paused 0 ground 1")
      << "a zone wraps by a day, and the Zulu date follows";
  Write(0x023E, {0x2C, 0x01});
  EXPECT_EQ(Word(0x023E), 300);
  Write(0x0240, {0xE8, 0x07});
  EXPECT_EQ(Clock(), "local 01:30:00 zulu 23:00 day 300 year 2024 zone 150 paused 0 ground 1");
  // A simulator that takes a written second as 0, as many of today's do.
  standIn.Apply("seconds zero");
  Write(0x0238, {7, 15, 37});
  EXPECT_EQ(Clock().substr(0, 14), "local 07:15:00");
  standIn.Apply("seconds keep");
  Write(0x023A, {37});
  EXPECT_EQ(Clock().substr(0, 14), "local 07:15:37");
}

TEST_F(StandInTest, FlagsVersionsAndMessageText) {
  standIn.Apply("pause on");
  standIn.Apply("ground off");
  EXPECT_EQ(Word(0x0264), 1);
  EXPECT_EQ(Word(0x0366), 0);
  uint8_t v[8] = {};
  standIn.Aircraft().Read(0x3304, 8, v);
  EXPECT_EQ((std::array<uint8_t, 8>{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]}),
            (std::array<uint8_t, 8>{0x05, 0x00, 0x98, 0x19, 0x0C, 0x00, 0xDE, 0xFA}));
  Write(0x3380, {' ', 'H', 'V', 'A', ':', 0, 'x'});
  EXPECT_EQ(standIn.Aircraft().MessageShows(), 0u) << "the text alone shows nothing";
  Write(0x32FA, {5, 0});
  EXPECT_EQ(standIn.Aircraft().MessageText(), " HVA:");
  EXPECT_EQ(standIn.Aircraft().MessageSeconds(), 5);
  EXPECT_EQ(standIn.Aircraft().MessageShows(), 1u);
  uint8_t far[4] = {1, 2, 3, 4};
  standIn.Aircraft().Write(0xFFFE, 4, far);
  standIn.Aircraft().Read(0xFFFE, 4, far);
  EXPECT_EQ((std::array<uint8_t, 4>{far[0], far[1], far[2], far[3]}),
            (std::array<uint8_t, 4>{1, 2, 0, 0}))
      << "offsets stop at 64 KiB";
}

TEST_F(StandInTest, CommandsAreJournaledAndBadOnesChangeNothing) {
  const std::string before = Clock();
  for (const char* bad : {"set time 25:00:00", "set time 1:2:3", "set zone 721", "set date 0 2026",
                          "drift x", "pause maybe", "garbage lots", "version 1", "seconds some",
                          "fly"}) {
    standIn.Apply(bad);
  }
  EXPECT_EQ(Clock(), before);
  ASSERT_EQ(journal.size(), 10u);
  EXPECT_EQ(journal[0], "error set time 25:00:00: want set time HH:MM:SS");
  EXPECT_EQ(journal[8], "error seconds some: want seconds zero or seconds keep");
  EXPECT_EQ(journal[9], "error fly: unknown command");
  journal.clear();
  standIn.Apply("  hang ");
  standIn.Apply("reject");
  standIn.Apply("garbage token");
  EXPECT_TRUE(standIn.faults.hang);
  EXPECT_TRUE(standIn.faults.reject);
  EXPECT_EQ(standIn.faults.garbage, Garbage::Token);
  standIn.Apply("answer");
  EXPECT_FALSE(standIn.faults.hang);
  standIn.Apply("normal");
  EXPECT_FALSE(standIn.faults.reject);
  EXPECT_EQ(standIn.faults.garbage, Garbage::Off);
  standIn.Apply("state");
  standIn.Apply("quit");
  EXPECT_TRUE(standIn.quitRequested);
  EXPECT_EQ(journal,
            (std::vector<std::string>{"cmd hang", "cmd reject", "cmd garbage token", "cmd answer",
                                      "cmd normal", "cmd state", "state " + before, "cmd quit"}));
}

TEST_F(StandInTest, MalformedBlocksAreAnsweredWithZero) {
  namespace rb = horavia::request_block;
  std::vector<uint8_t> block(64, 0);
  rb::EncodeRead(block.data(), 0x0238, 1, 0);
  rb::StoreU32(block.data() + 17, 9);
  EXPECT_EQ(standIn.Serve(block.data(), 64), 0u);
  EXPECT_EQ(journal.back(), "answer 0 bad record at 17");
  rb::EncodeRead(block.data() + 17, 0x0238, 1, 1);
  rb::StoreU32(block.data() + 17 + 8, 40);
  EXPECT_EQ(standIn.Serve(block.data(), 64), 0u) << "data area past the block";
  rb::StoreU32(block.data() + 17 + 8, 1);
  EXPECT_EQ(standIn.Serve(block.data(), 34), 0u) << "no end marker before the block ends";
  rb::EncodeEnd(block.data() + 34);
  EXPECT_EQ(standIn.Serve(block.data(), 64), 1u);
  EXPECT_EQ(block[16], 13);
}

}  // namespace
}  // namespace simstandin
