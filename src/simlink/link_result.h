#pragma once

#include <cstdint>

namespace horavia {

// What a link operation ended with. The numbers are fixed: callers and logs
// may hold them, so never renumber.
enum LinkResult : int32_t {
  LinkOk = 0,
  LinkAlreadyOpen = 1,
  LinkNoSimulator = 2,
  LinkNoMessage = 3,
  LinkNoAtom = 4,
  LinkNoMapping = 5,
  LinkNoView = 6,
  LinkBadVersion = 7,
  LinkWrongSimulator = 8,
  LinkNotOpen = 9,
  LinkNothingQueued = 10,
  LinkTimeout = 11,
  LinkSendFailed = 12,
  LinkRejected = 13,
  LinkBadVersionFs98Main = 14,
  LinkBufferFull = 15,
};

}  // namespace horavia
