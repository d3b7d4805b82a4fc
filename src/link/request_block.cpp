#include "link/request_block.h"

#include <cstring>

namespace horavia::request_block {
namespace {

uint32_t HeaderSizeOf(const LinkRequest& request) {
  return request.kind == LinkRequest::Kind::Read ? kReadHeaderSize : kWriteHeaderSize;
}

uint32_t TypeOf(const LinkRequest& request) {
  return request.kind == LinkRequest::Kind::Read ? kTypeRead : kTypeWrite;
}

// One record as the block holds it now, against the request it was made of.
bool RecordIntact(const uint8_t* block, uint32_t blockSize, uint64_t position,
                  const LinkRequest& request, uint32_t token) {
  const uint64_t end = position + HeaderSizeOf(request) + request.size;
  if (end > blockSize) return false;
  const uint8_t* at = block + position;
  if (LoadU32(at) != TypeOf(request) || LoadU32(at + 4) != request.offset ||
      LoadU32(at + 8) != request.size) {
    return false;
  }
  return request.kind != LinkRequest::Kind::Read || LoadU32(at + 12) == token;
}

}  // namespace

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

std::optional<uint32_t> EncodeRequests(uint8_t* block, std::span<const LinkRequest> requests) {
  // All of them fit, or nothing is touched: not the block, not a source.
  uint64_t total = kEndMarkerSize;
  for (const LinkRequest& request : requests) total += HeaderSizeOf(request) + uint64_t{request.size};
  if (total > kCapacity) return std::nullopt;
  uint32_t used = 0;
  for (size_t i = 0; i < requests.size(); ++i) {
    const LinkRequest& request = requests[i];
    if (request.kind == LinkRequest::Kind::Read) {
      EncodeRead(block + used, request.offset, request.size, static_cast<uint32_t>(i));
    } else {
      EncodeWrite(block + used, request.offset, request.size, request.from);
    }
    used += HeaderSizeOf(request) + request.size;
  }
  EncodeEnd(block + used);
  return used + kEndMarkerSize;
}

bool DeliverReads(const uint8_t* block, uint32_t blockSize, std::span<const LinkRequest> requests) {
  uint64_t position = 0;
  for (size_t i = 0; i < requests.size(); ++i) {
    if (!RecordIntact(block, blockSize, position, requests[i], static_cast<uint32_t>(i))) {
      return false;
    }
    position += HeaderSizeOf(requests[i]) + requests[i].size;
  }
  if (position + kEndMarkerSize > blockSize || LoadU32(block + position) != kTypeEnd) return false;

  // Positions and sizes come from the requests in our own memory, so a block
  // rewritten while we copy can change the bytes we hand back but never
  // where they go.
  position = 0;
  for (const LinkRequest& request : requests) {
    if (request.kind == LinkRequest::Kind::Read && request.into != nullptr && request.size != 0) {
      std::memcpy(request.into, block + position + kReadHeaderSize, request.size);
    }
    position += HeaderSizeOf(request) + request.size;
  }
  return true;
}

}  // namespace horavia::request_block
