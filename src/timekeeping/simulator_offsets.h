#pragma once

#include <cstdint>

namespace horavia::offsets {

// The simulator's data locations the main window reads and writes.
inline constexpr uint32_t kLocalHour = 0x0238;   // 1 byte, 0..23
inline constexpr uint32_t kLocalMinute = 0x0239; // 1 byte
inline constexpr uint32_t kSecond = 0x023A;      // 1 byte, shared by local and Zulu time
inline constexpr uint32_t kZuluHour = 0x023B;    // 1 byte
inline constexpr uint32_t kZuluMinute = 0x023C;  // 1 byte
inline constexpr uint32_t kZuluDayOfYear = 0x023E;  // 2 bytes, 1 = 1 January
inline constexpr uint32_t kZuluYear = 0x0240;    // 2 bytes
inline constexpr uint32_t kZoneBehindZulu = 0x0246;  // 2 bytes, signed: minutes local is behind Zulu
inline constexpr uint32_t kPaused = 0x0264;      // 2 bytes, non-zero while paused
inline constexpr uint32_t kOnGround = 0x0366;    // 2 bytes, non-zero on the ground
inline constexpr uint32_t kSimulationRate = 0x0C1A;  // 2 bytes, unsigned: the rate times 256
inline constexpr uint32_t kMessageSeconds = 0x32FA;  // 2 bytes; writing it shows the text
inline constexpr uint32_t kMessageText = 0x3380;     // 128 bytes, zero-terminated

}  // namespace horavia::offsets
