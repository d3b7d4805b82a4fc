#include "link/request_block.h"

#include <cstring>

namespace horavia::request_block {

uint32_t LoadU32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
         static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

void StoreU32(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
  at[2] = static_cast<uint8_t>(value >> 16);
  at[3] = static_cast<uint8_t>(value >> 24);
}

bool RequestFits(uint32_t used, uint32_t headerSize, uint32_t dataSize) {
  const uint64_t total = uint64_t{used} + kEndMarkerSize + headerSize + dataSize;
  return total <= kCapacity;
}

void EncodeRead(uint8_t* at, uint32_t offset, uint32_t size, uint32_t token) {
  StoreU32(at, kTypeRead);
  StoreU32(at + 4, offset);
  StoreU32(at + 8, size);
  StoreU32(at + 12, token);
  if (size != 0) std::memset(at + kReadHeaderSize, 0, size);
}

void EncodeWrite(uint8_t* at, uint32_t offset, uint32_t size, const void* source) {
  StoreU32(at, kTypeWrite);
  StoreU32(at + 4, offset);
  StoreU32(at + 8, size);
  if (size != 0) std::memcpy(at + kWriteHeaderSize, source, size);
}

void EncodeEnd(uint8_t* at) { StoreU32(at, kTypeEnd); }

PendingTable::PendingTable() : records_(std::make_unique<QueuedRecord[]>(kMaxRecords)) {}

bool PendingTable::Add(const QueuedRecord& record) {
  if (count_ >= kMaxRecords) return false;
  records_[count_++] = record;
  return true;
}

namespace {

uint32_t HeaderSizeOf(uint32_t type) {
  return type == kTypeRead ? kReadHeaderSize : kWriteHeaderSize;
}

// One record as the block holds it now, against what we put there.
bool RecordIntact(const uint8_t* block, uint32_t blockSize, const QueuedRecord& queued,
                  uint32_t token) {
  const uint32_t header = HeaderSizeOf(queued.type);
  const uint64_t end = uint64_t{queued.position} + header + queued.size;
  if (end > blockSize) return false;
  const uint8_t* at = block + queued.position;
  if (LoadU32(at) != queued.type || LoadU32(at + 4) != queued.offset ||
      LoadU32(at + 8) != queued.size) {
    return false;
  }
  return queued.type != kTypeRead || LoadU32(at + 12) == token;
}

}  // namespace

bool DeliverReads(const uint8_t* block, uint32_t blockSize, const PendingTable& queued) {
  uint64_t expected = 0;
  for (uint32_t i = 0; i < queued.Count(); ++i) {
    const QueuedRecord& record = queued[i];
    if (record.position != expected) return false;
    if (!RecordIntact(block, blockSize, record, i)) return false;
    expected = uint64_t{record.position} + HeaderSizeOf(record.type) + record.size;
  }
  if (expected + kEndMarkerSize > blockSize || LoadU32(block + expected) != kTypeEnd) return false;

  // Positions and sizes come from our own table, so a block rewritten while
  // we copy can change the bytes we hand back but never where they go.
  for (uint32_t i = 0; i < queued.Count(); ++i) {
    const QueuedRecord& record = queued[i];
    if (record.type != kTypeRead || record.destination == nullptr || record.size == 0) continue;
    std::memcpy(record.destination, block + record.position + kReadHeaderSize, record.size);
  }
  return true;
}

}  // namespace horavia::request_block
