#pragma once

#include <cstdint>

#include "link/link_result.h"

namespace horavia {

// Why the link's last failed open or exchange failed: its result and the
// operating system's error value of the call that failed, where that call
// gives one (0 otherwise). A successful open clears it.
struct LinkFailure {
  // Errors Windows gives for the causes a pilot can do something about.
  static constexpr uint32_t kAccessDenied = 5;      // ERROR_ACCESS_DENIED
  static constexpr uint32_t kAlreadyExists = 183;   // ERROR_ALREADY_EXISTS
  static constexpr uint32_t kTimedOut = 1460;       // ERROR_TIMEOUT

  LinkResult result = LinkResult::Ok;
  uint32_t systemError = 0;
  // The failure came while opening (the handshake included), not in an
  // exchange of a link that was open.
  bool opening = false;
  friend bool operator==(const LinkFailure&, const LinkFailure&) = default;
};

}  // namespace horavia
