#pragma once

#include <cstdint>
#include <memory>

namespace horavia::request_block {

// The shared block FSUIPC reads our requests from. Records are packed back to
// back with no padding, every number a little-endian 32-bit value.
inline constexpr uint32_t kBlockSize = 32768;
// The last 256 bytes are never used: queued records plus the end marker stop here.
inline constexpr uint32_t kCapacity = 32512;
inline constexpr uint32_t kReadHeaderSize = 16;
inline constexpr uint32_t kWriteHeaderSize = 12;
inline constexpr uint32_t kEndMarkerSize = 4;

inline constexpr uint32_t kTypeEnd = 0;
inline constexpr uint32_t kTypeRead = 1;
inline constexpr uint32_t kTypeWrite = 2;

// The smallest record is an empty write, so no block holds more than this.
inline constexpr uint32_t kMaxRecords = (kCapacity - kEndMarkerSize) / kWriteHeaderSize;

uint32_t LoadU32(const uint8_t* at);
void StoreU32(uint8_t* at, uint32_t value);

// Whether a record of this header and data size still fits behind `used`
// bytes with room for the end marker. Sizes come from callers unchecked, so
// the sum is taken without overflow.
bool RequestFits(uint32_t used, uint32_t headerSize, uint32_t dataSize);

// Read header {1, offset, size, token} and a zero-filled data area.
void EncodeRead(uint8_t* at, uint32_t offset, uint32_t size, uint32_t token);
// Write header {2, offset, size} and the caller's bytes.
void EncodeWrite(uint8_t* at, uint32_t offset, uint32_t size, const void* source);
void EncodeEnd(uint8_t* at);

// What the client queued, kept in its own memory: the block is shared with
// another process and is never trusted to say where a read's bytes go.
struct QueuedRecord {
  uint32_t type = 0;
  uint32_t offset = 0;
  uint32_t size = 0;
  uint32_t position = 0;  // of the header, from the block's start
  void* destination = nullptr;
};

// Fixed size, allocated once, so that queuing never allocates. A read's
// token in the block is its index here.
class PendingTable {
 public:
  PendingTable();
  // false when full (cannot happen while the capacity check holds).
  bool Add(const QueuedRecord& record);
  void Clear() { count_ = 0; }
  uint32_t Count() const { return count_; }
  const QueuedRecord& operator[](uint32_t index) const { return records_[index]; }

 private:
  std::unique_ptr<QueuedRecord[]> records_;
  uint32_t count_ = 0;
};

// After FSUIPC has answered: checks every record header in `block` (and the
// end marker behind them) against what was queued and lies inside
// `blockSize`; only when all agree are the reads' data areas copied to their
// destinations. Returns false, having copied nothing, on any disagreement.
bool DeliverReads(const uint8_t* block, uint32_t blockSize, const PendingTable& queued);

}  // namespace horavia::request_block
