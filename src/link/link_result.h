#pragma once

#include <cstdint>

namespace horavia {

// What a link operation ended with. The numbers are fixed: callers and logs
// may hold them, so never renumber.
enum class LinkResult : int32_t {
  Ok = 0,
  AlreadyOpen = 1,
  NoSimulator = 2,
  NoMessage = 3,
  NoAtom = 4,
  NoMapping = 5,
  NoView = 6,
  BadVersion = 7,
  WrongSimulator = 8,
  NotOpen = 9,
  NothingQueued = 10,
  Timeout = 11,
  SendFailed = 12,
  Rejected = 13,
  BadVersionFs98Main = 14,
  BufferFull = 15,
  // FSUIPC answered, but the records it gave back are not those sent (a
  // type, offset, size or read token changed, or the end marker moved):
  // nothing is copied back.
  SpoiledAnswer = 16,
};

}  // namespace horavia
