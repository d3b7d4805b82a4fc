#include "settings/settings_file.h"

#include <array>
#include <cstddef>
#include <limits>

namespace horavia {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct KeyField {
  std::string_view key;
  int32_t Settings::*field;
};

constexpr std::array<KeyField, 9> kKeys{{
    {"SYNC_INTERVAL=", nullptr},  // kept in seconds, checked by the caller
    {"LOG_SECOND_MIN=", &Settings::logSecondMin},
    {"SM_TIMEOUT_RETRY=", &Settings::smTimeoutRetry},
    {"START_HK=", &Settings::startKey},
    {"START_HKCS=", &Settings::startModifiers},
    {"START_LOC_HK=", &Settings::startLocKey},
    {"START_LOC_HKCS=", &Settings::startLocModifiers},
    {"STATUS_HK=", &Settings::statusKey},
    {"STATUS_HKCS=", &Settings::statusModifiers},
}};

void ApplyLine(std::string_view line, std::string_view decimalSeparator,
               SettingsReadResult& result) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return;
  const std::string_view key = line.substr(0, eq + 1);
  const std::string_view value = line.substr(eq + 1);
  for (const KeyField& k : kKeys) {
    if (k.key != key) continue;
    const std::optional<int32_t> number = ParseSettingsNumber(value, decimalSeparator);
    if (!number) return;
    if (k.field == nullptr) {
      result.syncIntervalSeconds = *number;
    } else {
      result.settings.*(k.field) = *number;
    }
    return;
  }
}

void AppendLine(std::string& out, std::string_view key, int32_t value) {
  out.append(key);
  out.append(std::to_string(value));
  out.append("\r\n");
}

}  // namespace

std::optional<int32_t> ParseSettingsNumber(std::string_view value,
                                           std::string_view decimalSeparator) {
  std::string_view s = TrimBlanks(value);
  bool negative = false;
  if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  // Whole part: digits, accumulated with a ceiling far above the 32-bit range
  // so that an absurdly long number cannot overflow the accumulator.
  constexpr int64_t kCeiling = int64_t{1} << 40;
  int64_t whole = 0;
  size_t i = 0;
  for (; i < s.size() && IsDigit(s[i]); ++i) {
    whole = whole * 10 + (s[i] - '0');
    if (whole > kCeiling) return std::nullopt;
  }
  const size_t wholeDigits = i;
  size_t fractionDigits = 0;
  // The fraction decides rounding only: its first digit, and whether any
  // later digit is non-zero.
  int firstFractionDigit = 0;
  bool restNonZero = false;
  const std::string_view rest = s.substr(i);
  if (!decimalSeparator.empty() && rest.substr(0, decimalSeparator.size()) == decimalSeparator) {
    i += decimalSeparator.size();
    for (; i < s.size() && IsDigit(s[i]); ++i, ++fractionDigits) {
      if (fractionDigits == 0) {
        firstFractionDigit = s[i] - '0';
      } else if (s[i] != '0') {
        restNonZero = true;
      }
    }
  }
  if (i != s.size() || wholeDigits + fractionDigits == 0) return std::nullopt;

  int64_t magnitude = whole;
  // Above a half rounds up; a half goes to the even neighbour.
  if (firstFractionDigit > 5 || (firstFractionDigit == 5 && (restNonZero || (whole % 2) == 1))) {
    ++magnitude;
  }
  const int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue < std::numeric_limits<int32_t>::min() ||
      signedValue > std::numeric_limits<int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<int32_t>(signedValue);
}

SettingsReadResult ReadSettingsText(std::string_view text, const Settings& start,
                                    std::string_view decimalSeparator) {
  SettingsReadResult result{start, std::nullopt};
  while (!text.empty()) {
    const size_t lf = text.find('\n');
    std::string_view line = text.substr(0, lf);
    text = lf == std::string_view::npos ? std::string_view{} : text.substr(lf + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ApplyLine(line, decimalSeparator, result);
  }
  return result;
}

std::string FormatSettingsText(const Settings& s) {
  std::string out;
  AppendLine(out, "SYNC_INTERVAL=", s.syncIntervalMs / 1000);
  AppendLine(out, "LOG_SECOND_MIN=", s.logSecondMin);
  if (s.startKey > 0) {
    AppendLine(out, "START_HK=", s.startKey);
    AppendLine(out, "START_HKCS=", s.startModifiers);
  }
  if (s.startLocKey > 0) {
    AppendLine(out, "START_LOC_HK=", s.startLocKey);
    AppendLine(out, "START_LOC_HKCS=", s.startLocModifiers);
  }
  if (s.statusKey > 0) {
    AppendLine(out, "STATUS_HK=", s.statusKey);
    AppendLine(out, "STATUS_HKCS=", s.statusModifiers);
  }
  AppendLine(out, "SM_TIMEOUT_RETRY=", s.smTimeoutRetry);
  return out;
}

}  // namespace horavia
