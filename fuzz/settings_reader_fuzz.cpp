// The settings reader against any text a hand-edited Horavia.ini may hold,
// with any decimal separator a locale may give. Besides the sanitizers, each
// input is checked against a reader written here from the file's rules, and
// what the reader gives must survive being written and read back.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_platform.h"
#include "fuzz_input.h"
#include "settings/settings_file.h"
#include "settings/settings_store.h"

namespace {

using horavia::Settings;
using horavia::fuzz::FuzzInput;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A number as the file allows it: blanks around it, a sign, digits, the
// locale's separator and more digits, at least one digit in all; a fraction
// is rounded half to even. Worked on the digit strings, so that no length of
// number can overflow anything here.
std::optional<int32_t> ReferenceNumber(std::string_view text, std::string_view separator) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  std::string_view s = text.substr(first, last - first);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  size_t wholeEnd = 0;
  while (wholeEnd < s.size() && IsDigit(s[wholeEnd])) ++wholeEnd;
  std::string_view whole = s.substr(0, wholeEnd);
  std::string_view fraction;
  std::string_view rest = s.substr(wholeEnd);
  if (!separator.empty() && rest.substr(0, separator.size()) == separator) {
    rest.remove_prefix(separator.size());
    size_t fractionEnd = 0;
    while (fractionEnd < rest.size() && IsDigit(rest[fractionEnd])) ++fractionEnd;
    fraction = rest.substr(0, fractionEnd);
    rest.remove_prefix(fractionEnd);
  }
  if (!rest.empty() || whole.size() + fraction.size() == 0) return std::nullopt;

  while (!whole.empty() && whole[0] == '0') whole.remove_prefix(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
  if (whole.size() > 11) return std::nullopt;
  int64_t magnitude = 0;
  for (const char c : whole) magnitude = magnitude * 10 + (c - '0');
  // Between two fractions without trailing zeros, the longer-or-larger digit
  // string is the larger number, so comparing with "5" finds the half.
  if (!fraction.empty()) {
    const int against = fraction.compare("5");
    if (against > 0 || (against == 0 && magnitude % 2 == 1)) ++magnitude;
  }
  const int64_t value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

struct ReferenceResult {
  Settings settings;
  std::optional<int32_t> syncSeconds;
};

ReferenceResult ReferenceRead(std::string_view text, std::string_view separator) {
  ReferenceResult result;
  std::vector<std::string_view> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(begin, end - begin);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    begin = end + 1;
  }
  const struct {
    const char* key;
    int32_t Settings::*field;
  } keys[] = {
      {"LOG_SECOND_MIN=", &Settings::logSecondMin},
      {"SM_TIMEOUT_RETRY=", &Settings::smTimeoutRetry},
      {"START_HK=", &Settings::startKey},
      {"START_HKCS=", &Settings::startModifiers},
      {"START_LOC_HK=", &Settings::startLocKey},
      {"START_LOC_HKCS=", &Settings::startLocModifiers},
      {"STATUS_HK=", &Settings::statusKey},
      {"STATUS_HKCS=", &Settings::statusModifiers},
  };
  for (const std::string_view line : lines) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, eq + 1);
    const std::optional<int32_t> number = ReferenceNumber(line.substr(eq + 1), separator);
    if (!number) continue;
    if (key == "SYNC_INTERVAL=") result.syncSeconds = number;
    for (const auto& k : keys) {
      if (key == k.key) result.settings.*(k.field) = *number;
    }
  }
  return result;
}

std::string SeparatorFrom(FuzzInput& in) {
  switch (in.Byte() % 4) {
    case 0:
      return ".";
    case 1:
      return ",";
    case 2:
      return "";
    default:
      return in.Bytes(in.Byte() % 4);
  }
}

// A hot key the file cannot hold (none, or a negative code) comes back as
// no hot key at all.
Settings AsWrittenBack(Settings s) {
  if (s.startKey <= 0) s.startKey = s.startModifiers = 0;
  if (s.startLocKey <= 0) s.startLocKey = s.startLocModifiers = 0;
  if (s.statusKey <= 0) s.statusKey = s.statusModifiers = 0;
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const std::string separator = SeparatorFrom(in);
  const std::string text = in.Rest();

  const Settings start{};
  const horavia::SettingsReadResult read = horavia::ReadSettingsText(text, start, separator);

  // The reference cannot tell a digit separator from the digits around it;
  // no locale has one, so such separators only go through the sanitizers.
  if (separator.empty() || !IsDigit(separator[0])) {
    const ReferenceResult expected = ReferenceRead(text, separator);
    FUZZ_CHECK(read.settings == expected.settings);
    FUZZ_CHECK(read.syncIntervalSeconds == expected.syncSeconds);
  }
  FUZZ_CHECK(read.settings.syncIntervalMs == start.syncIntervalMs);

  // Written and read back, with the interval as LoadSettings would keep it.
  Settings kept = read.settings;
  if (read.syncIntervalSeconds && *read.syncIntervalSeconds >= 1 &&
      *read.syncIntervalSeconds <= 60) {
    kept.syncIntervalMs = *read.syncIntervalSeconds * 1000;
  }
  const std::string written = horavia::FormatSettingsText(kept);
  FUZZ_CHECK(written.size() >= 2 && written.compare(written.size() - 2, 2, "\r\n") == 0);
  const horavia::SettingsReadResult again =
      horavia::ReadSettingsText(written, Settings{}, separator);
  FUZZ_CHECK(again.syncIntervalSeconds == kept.syncIntervalMs / 1000);
  Settings expectedAgain = AsWrittenBack(kept);
  expectedAgain.syncIntervalMs = Settings{}.syncIntervalMs;  // the reader leaves it to its caller
  FUZZ_CHECK(again.settings == expectedAgain);

  // The same text as a file at start-up: the user hears of a bad interval
  // once, and only of that.
  if (separator.size() == 1 && static_cast<unsigned char>(separator[0]) < 0x80) {
    horavia::fakes::FakeWorld world;
    world.regional.decimalSeparator = separator;
    world.files.files[world.PathOf(horavia::kSettingsFileName)] = text;
    Settings loaded;
    horavia::LoadSettings(loaded, world.platform);
    FUZZ_CHECK(loaded == kept);
    const bool badInterval = read.syncIntervalSeconds &&
                             (*read.syncIntervalSeconds < 1 || *read.syncIntervalSeconds > 60);
    FUZZ_CHECK(world.boxes.shown.size() == (badInterval ? 1u : 0u));
  }
  return 0;
}
