#pragma once

#include "ports/regional.h"

namespace horavia::win32 {

// The user's regional settings as they are at each call, so that a change
// in the Control Panel shows without a restart.
class Win32Regional final : public Regional {
 public:
  std::string LongDate(int32_t year, int32_t month, int32_t day) override;
  std::string ShortDate(int32_t year, int32_t month, int32_t day) override;
  std::string DateSeparator() override;
  std::string TimeSeparator() override;
  std::string DecimalSeparator() override;
  std::optional<std::string> ToAnsi(std::string_view utf8) override;
  std::string FromAnsi(std::string_view ansi) override;
};

}  // namespace horavia::win32
