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

// Two reads around a write, encoded as the client sends them, with the
// answers FSUIPC would have filled in.
class DeliverReadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(EncodeRequests(block.data(), requests), end + kEndMarkerSize);
    block[16] = 13;
    block[kSecondRead + 16] = 0x53;
    block[kSecondRead + 17] = 0x01;
  }

  static constexpr uint32_t kWrite = 17;       // the write's header, after the first read
  static constexpr uint32_t kSecondRead = 31;  // the second read's header
  std::array<uint8_t, kBlockSize> block{};
  uint8_t hour = 0xAA;
  uint16_t day = 0xBBBB;
  const uint8_t written[2] = {5, 0};
  const std::array<LinkRequest, 3> requests{LinkRequest::Read(0x0238, 1, &hour),
                                            LinkRequest::Write(0x32FA, 2, written),
                                            LinkRequest::Read(0x023E, 2, &day)};
  const uint32_t end = kSecondRead + 16 + 2;
};

TEST_F(DeliverReadsTest, IntactBlockCopiesEveryRead) {
  ASSERT_TRUE(DeliverReads(block.data(), kBlockSize, requests));
  EXPECT_EQ(hour, 13);
  EXPECT_EQ(day, 0x153);
}

TEST_F(DeliverReadsTest, AnyChangedHeaderOrBoundCopiesNothing) {
  const std::vector<std::pair<const char*, std::function<void()>>> spoils{
      {"unknown type", [&] { StoreU32(block.data(), 7); }},
      {"read turned write", [&] { StoreU32(block.data() + kSecondRead, kTypeWrite); }},
      {"offset changed", [&] { StoreU32(block.data() + 4, 0x0239); }},
      {"size grown", [&] { StoreU32(block.data() + kSecondRead + 8, 3); }},
      {"size past the block", [&] { StoreU32(block.data() + kSecondRead + 8, 0xFFFFFFF0u); }},
      {"token out of range", [&] { StoreU32(block.data() + kSecondRead + 12, 0x7FFFFFF0u); }},
      {"token of another read", [&] { StoreU32(block.data() + kSecondRead + 12, 0); }},
      {"write size changed", [&] { StoreU32(block.data() + kWrite + 8, 1); }},
      {"end marker gone", [&] { StoreU32(block.data() + end, kTypeRead); }},
      {"end marker early", [&] { StoreU32(block.data() + kSecondRead, kTypeEnd); }},
  };
  const std::array<uint8_t, kBlockSize> intact = block;
  for (const auto& [what, spoil] : spoils) {
    SCOPED_TRACE(what);
    block = intact;
    spoil();
    EXPECT_FALSE(DeliverReads(block.data(), kBlockSize, requests));
    EXPECT_EQ(hour, 0xAA) << "the intact first read must not be copied either";
    EXPECT_EQ(day, 0xBBBB);
  }
}

TEST_F(DeliverReadsTest, RecordsMustLieInsideTheBlock) {
  EXPECT_FALSE(DeliverReads(block.data(), end + 3, requests)) << "end marker cut off";
  EXPECT_FALSE(DeliverReads(block.data(), kSecondRead + 17, requests)) << "data area cut off";
  EXPECT_TRUE(DeliverReads(block.data(), end + 4, requests));
}

TEST_F(DeliverReadsTest, ReadWithoutDestinationOrSizeCopiesNothing) {
  const std::array<LinkRequest, 2> bare{LinkRequest::Read(0x0238, 1, nullptr),
                                        LinkRequest::Read(0x0239, 0, &hour)};
  ASSERT_EQ(EncodeRequests(block.data(), bare), 16u + 1 + 16 + 4);
  block[16] = 9;
  EXPECT_TRUE(DeliverReads(block.data(), kBlockSize, bare));
  EXPECT_EQ(hour, 0xAA);
}

// The capacity counts the end marker; requests that do not all fit leave
// the block untouched, and a size near 4 GiB does not wrap the sum.
TEST(RequestBlockTest, CapacityCountsTheEndMarkerAndNeverOverflows) {
  std::vector<uint8_t> block(kBlockSize, 0xEE);
  std::vector<uint8_t> bytes(kCapacity);
  const LinkRequest exact[] = {LinkRequest::Read(0, 0, nullptr),
                               LinkRequest::Write(0, kCapacity - 4 - 16 - 12, bytes.data())};
  EXPECT_EQ(EncodeRequests(block.data(), exact), kCapacity);
  std::fill(block.begin(), block.end(), 0xEE);
  const LinkRequest over[] = {exact[0], LinkRequest::Write(0, kCapacity - 4 - 16 - 12 + 1, nullptr)};
  EXPECT_FALSE(EncodeRequests(block.data(), over));
  EXPECT_EQ(block[0], 0xEE) << "nothing encoded";
  const LinkRequest wrapping[] = {LinkRequest::Read(0, 16, nullptr),
                                  LinkRequest::Read(0, 0xFFFFFFFFu, nullptr)};
  EXPECT_FALSE(EncodeRequests(block.data(), wrapping));
}

}  // namespace
}  // namespace horavia::request_block
