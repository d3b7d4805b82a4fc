#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "link/link_request.h"

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

uint32_t LoadU32(const uint8_t* at);
void StoreU32(uint8_t* at, uint32_t value);

// Read header {1, offset, size, token} and a zero-filled data area.
void EncodeRead(uint8_t* at, uint32_t offset, uint32_t size, uint32_t token);
// Write header {2, offset, size} and the caller's bytes.
void EncodeWrite(uint8_t* at, uint32_t offset, uint32_t size, const void* source);
void EncodeEnd(uint8_t* at);

// The requests in order at the block's start, then the end marker; a
// read's token is its index among the requests. The bytes used, end marker
// included; or nothing, with nothing written or read, when they do not all
// fit. Sizes come from callers unchecked, so they are summed without overflow.
std::optional<uint32_t> EncodeRequests(uint8_t* block, std::span<const LinkRequest> requests);

// After FSUIPC has answered: checks every record header in `block` (and the
// end marker behind them) against the requests sent, which the client keeps
// in its own memory, and that all lie inside `blockSize`; only when all agree
// are the reads' data areas copied to their destinations. Returns false,
// having copied nothing, on any disagreement.
bool DeliverReads(const uint8_t* block, uint32_t blockSize, std::span<const LinkRequest> requests);

}  // namespace horavia::request_block
