#pragma once

#include <string>

#include "link/link_failure.h"

namespace horavia {

// Why Horavia is not connected, in words a pilot can act on: what went
// wrong, then what to do. Empty when the link has no failure to tell.
std::string NotConnectedReason(const LinkFailure& failure);

}  // namespace horavia
