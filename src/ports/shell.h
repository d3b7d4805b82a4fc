#pragma once

#include <string>

#include "ports/port_base.h"

namespace horavia {

// Opens a document with the program the user has chosen for it.
class Shell : public PortBase {
 public:
  virtual void Open(const std::string& path) = 0;
};

}  // namespace horavia
