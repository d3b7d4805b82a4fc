// The status line shown inside the simulator for five seconds.

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "windows/main_window_model.h"
#include "link/simulator_offsets.h"
#include "base/time_text.h"

namespace horavia {
namespace {

constexpr size_t kMessageBytes = 128;  // 127 text bytes and the terminating zero
constexpr uint16_t kDisplaySeconds = 5;

// Hours as a decimal number in its shortest form, up to 15 significant
// digits, with the user's decimal separator: -300 minutes gives "-5", 330
// gives "5.5", 20 gives "0.333333333333333".
std::string HoursText(int32_t minutes, const std::string& decimalSeparator) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", static_cast<double>(minutes) / 60.0);
  std::string text = buf;
  const size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
  return text;
}

}  // namespace

void MainWindowModel::ShowStatusText() {
  std::string text = "OFF";
  if (state_.on) {
    text = "ON  Time: " + state_.simClockText + "  Zulu Offset: " +
           HoursText(state_.zuluOffset, context_.os.regional.DecimalSeparator()) +
           "  Chrono: F(" + SecondsToText(state_.flightSeconds) + "), G(" + SecondsToText(state_.groundSeconds) +
           "), T(" + SecondsToText(state_.flightSeconds + state_.groundSeconds) + ")";
  }
  SendSimText(text);
}

void MainWindowModel::SendSimText(const std::string& text) {
  // A longer text is cut so that the terminating zero always fits; a
  // character with no ANSI form has already become "?".
  const std::optional<std::string> bytes = context_.os.regional.ToAnsi(" HVA: " + text);
  if (!bytes) return;  // an empty line would tell the pilot nothing
  std::array<char, kMessageBytes> message{};
  std::memcpy(message.data(), bytes->data(), std::min(bytes->size(), kMessageBytes - 1));

  Link& link = context_.link;
  LinkResult result = LinkResult::Ok;
  if (!link.Write(offsets::kMessageText, kMessageBytes, message.data(), result)) return;
  const uint16_t seconds = kDisplaySeconds;
  link.Write(offsets::kMessageSeconds, 2, &seconds, result);
  Exchange();  // nothing is reported: the next sync cycle finds a dead link
}

}  // namespace horavia
