#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ports/port_base.h"

namespace horavia {

// The user's regional settings and the system's ANSI code page. Text inside
// the program is UTF-8; files and the simulator see the ANSI code page.
class Regional : public PortBase {
 public:
  // The date in the user's long date format ("Saturday, December 5, 2026").
  virtual std::string LongDate(int32_t year, int32_t month, int32_t day) = 0;
  // The date in the user's short date format ("12/5/2026").
  virtual std::string ShortDate(int32_t year, int32_t month, int32_t day) = 0;
  virtual std::string DateSeparator() = 0;
  virtual std::string TimeSeparator() = 0;
  virtual std::string DecimalSeparator() = 0;
  // UTF-8 to the ANSI code page; a character without an ANSI form becomes '?'.
  // Nothing when the conversion fails: the caller must not write anything
  // then, since an empty text would stand for what the user had.
  virtual std::optional<std::string> ToAnsi(std::string_view utf8) = 0;
  // ANSI code page to UTF-8.
  virtual std::string FromAnsi(std::string_view ansi) = 0;
};

}  // namespace horavia
