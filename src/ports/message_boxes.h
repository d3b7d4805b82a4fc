#pragma once

#include <string>

#include "ports/port_base.h"

namespace horavia {

enum class BoxKind {
  Information,  // plain box, OK only
  Warning,      // exclamation icon, OK only
  Question,     // Yes and No
};

enum class BoxAnswer { Ok, Yes, No };

// Modal message boxes. While one is open the window's timers keep running.
class MessageBoxes : public PortBase {
 public:
  virtual BoxAnswer Show(const std::string& text, const std::string& title, BoxKind kind) = 0;
};

}  // namespace horavia
