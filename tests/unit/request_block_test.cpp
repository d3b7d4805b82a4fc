#include "link/request_block.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace horavia::request_block {
namespace {

TEST(RequestBlockTest, RecordsArePackedLittleEndianWithoutPadding) {
  std::vector<uint8_t> block(64, 0xEE);
  const uint8_t text[3] = {'H', 'V', 'A'};
  EncodeRead(block.data(), 0x0238, 2, 7);
  EncodeWrite(block.data() + 18, 0x3380, 3, text);
  EncodeEnd(block.data() + 33);
  const std::vector<uint8_t> expected{
      1, 0, 0, 0, 0x38, 0x02, 0, 0, 2, 0, 0, 0, 7,   0,   0,   0, 0, 0,  // read, zeroed data area
      2, 0, 0, 0, 0x80, 0x33, 0, 0, 3, 0, 0, 0, 'H', 'V', 'A',           // write with its bytes
      0, 0, 0, 0, 0xEE};
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 38), expected);
}

TEST(RequestBlockTest, CapacityCountsTheEndMarkerAndNeverOverflows) {
  EXPECT_TRUE(RequestFits(0, kReadHeaderSize, kCapacity - 4 - 16));
  EXPECT_FALSE(RequestFits(0, kReadHeaderSize, kCapacity - 4 - 16 + 1));
  EXPECT_TRUE(RequestFits(100, kWriteHeaderSize, kCapacity - 4 - 12 - 100));
  EXPECT_FALSE(RequestFits(100, kWriteHeaderSize, kCapacity - 4 - 12 - 100 + 1));
  EXPECT_FALSE(RequestFits(16, kReadHeaderSize, 0xFFFFFFFFu)) << "a wrapped sum would fit";
  EXPECT_FALSE(RequestFits(0, kWriteHeaderSize, 0xFFFFFFF0u));
}

// Two reads around a write, as the client queues them, with the answers
// FSUIPC would have filled in.
class DeliverReadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    uint32_t at = 0;
    const uint8_t written[2] = {5, 0};
    Queue(kTypeRead, 0x0238, 1, &hour, at);
    Queue(kTypeWrite, 0x32FA, 2, nullptr, at);
    EncodeWrite(block.data() + table[1].position, 0x32FA, 2, written);
    Queue(kTypeRead, 0x023E, 2, &day, at);
    EncodeEnd(block.data() + at);
    end = at;
    block[table[0].position + 16] = 13;
    block[table[2].position + 16] = 0x53;
    block[table[2].position + 17] = 0x01;
  }

  void Queue(uint32_t type, uint32_t offset, uint32_t size, void* destination, uint32_t& at) {
    const uint32_t token = table.Count();
    ASSERT_TRUE(table.Add({type, offset, size, at, destination}));
    if (type == kTypeRead) {
      EncodeRead(block.data() + at, offset, size, token);
      at += kReadHeaderSize + size;
    } else {
      at += kWriteHeaderSize + size;
    }
  }

  std::array<uint8_t, kBlockSize> block{};
  PendingTable table;
  uint32_t end = 0;
  uint8_t hour = 0xAA;
  uint16_t day = 0xBBBB;
};

TEST_F(DeliverReadsTest, IntactBlockCopiesEveryRead) {
  ASSERT_TRUE(DeliverReads(block.data(), kBlockSize, table));
  EXPECT_EQ(hour, 13);
  EXPECT_EQ(day, 0x153);
}

TEST_F(DeliverReadsTest, AnyChangedHeaderOrBoundCopiesNothing) {
  const uint32_t second = table[1].position;
  const uint32_t third = table[2].position;
  const std::vector<std::pair<const char*, std::function<void()>>> spoils{
      {"unknown type", [&] { StoreU32(block.data(), 7); }},
      {"read turned write", [&] { StoreU32(block.data() + third, kTypeWrite); }},
      {"offset changed", [&] { StoreU32(block.data() + 4, 0x0239); }},
      {"size grown", [&] { StoreU32(block.data() + third + 8, 3); }},
      {"size past the block", [&] { StoreU32(block.data() + third + 8, 0xFFFFFFF0u); }},
      {"token out of range", [&] { StoreU32(block.data() + third + 12, 0x7FFFFFF0u); }},
      {"token of another read", [&] { StoreU32(block.data() + third + 12, 0); }},
      {"write size changed", [&] { StoreU32(block.data() + second + 8, 1); }},
      {"end marker gone", [&] { StoreU32(block.data() + end, kTypeRead); }},
      {"end marker early", [&] { StoreU32(block.data() + third, kTypeEnd); }},
  };
  const std::array<uint8_t, kBlockSize> intact = block;
  for (const auto& [what, spoil] : spoils) {
    SCOPED_TRACE(what);
    block = intact;
    spoil();
    EXPECT_FALSE(DeliverReads(block.data(), kBlockSize, table));
    EXPECT_EQ(hour, 0xAA) << "the intact first read must not be copied either";
    EXPECT_EQ(day, 0xBBBB);
  }
}

TEST_F(DeliverReadsTest, RecordsMustLieInsideTheBlock) {
  EXPECT_FALSE(DeliverReads(block.data(), end + 3, table)) << "end marker cut off";
  EXPECT_FALSE(DeliverReads(block.data(), table[2].position + 17, table)) << "data area cut off";
  EXPECT_TRUE(DeliverReads(block.data(), end + 4, table));
}

TEST_F(DeliverReadsTest, ReadWithoutDestinationOrSizeCopiesNothing) {
  PendingTable bare;
  ASSERT_TRUE(bare.Add({kTypeRead, 0x0238, 1, 0, nullptr}));
  ASSERT_TRUE(bare.Add({kTypeRead, 0x0239, 0, 17, &hour}));
  EncodeRead(block.data(), 0x0238, 1, 0);
  EncodeRead(block.data() + 17, 0x0239, 0, 1);
  EncodeEnd(block.data() + 33);
  EXPECT_TRUE(DeliverReads(block.data(), kBlockSize, bare));
  EXPECT_EQ(hour, 0xAA);
}

}  // namespace
}  // namespace horavia::request_block
