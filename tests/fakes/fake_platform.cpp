#include "fakes/fake_platform.h"

#include <array>
#include <chrono>

namespace horavia::fakes {
namespace {

constexpr std::array<const char*, 7> kDays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                           "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonths{"January", "February", "March",     "April",
                                              "May",     "June",     "July",      "August",
                                              "September", "October", "November", "December"};

unsigned WeekdayOf(int32_t year, int32_t month, int32_t day) {
  return std::chrono::weekday{std::chrono::sys_days{std::chrono::year{year} / month / day}}.c_encoding();
}

std::string Two(int32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

void FakeRegional::UseStyle(Style s) {
  style = s;
  const bool us = style == Style::EnglishUs;
  dateSeparator = us ? "/" : "-";
  timeSeparator = us ? ":" : ".";
  decimalSeparator = us ? "." : ",";
}

// The other style's long date has a letter outside ASCII ("día 5.12.2026").
std::string FakeRegional::LongDate(int32_t year, int32_t month, int32_t day) {
  const std::string y = std::to_string(year), d = std::to_string(day);
  if (style != Style::EnglishUs) return "d\xC3\xAD" "a " + d + "." + std::to_string(month) + "." + y;
  return std::string(kDays[WeekdayOf(year, month, day)]) + ", " + kMonths[static_cast<size_t>(month - 1)] +
         " " + d + ", " + y;
}

std::string FakeRegional::ShortDate(int32_t year, int32_t month, int32_t day) {
  const bool us = style == Style::EnglishUs;
  return (us ? std::to_string(month) : Two(day)) + dateSeparator + (us ? std::to_string(day) : Two(month)) +
         dateSeparator + std::to_string(year);
}

std::optional<std::string> FakeRegional::ToAnsi(std::string_view utf8) {
  if (failConversions) return std::nullopt;
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const bool latin1 = (c == 0xC2 || c == 0xC3) && i + 1 < utf8.size();
    if (c < 0x80 || latin1) {
      out.push_back(latin1 ? static_cast<char>(((c & 0x03u) << 6) | (utf8[++i] & 0x3F)) : utf8[i]);
    } else if ((c & 0xC0) != 0x80) {
      out.push_back('?');  // no Latin-1 form; the continuation bytes that follow are skipped
    }
  }
  return out;
}

std::string FakeRegional::FromAnsi(std::string_view ansi) {
  std::string out;
  for (const char ch : ansi) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80) out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(c >= 0x80 ? static_cast<char>(0x80 | (c & 0x3F)) : ch);
  }
  return out;
}

BoxAnswer FakeMessageBoxes::Show(const std::string& text, const std::string& title, BoxKind kind) {
  shown.push_back({text, title, kind});
  Note("box " + text);
  ++open;
  if (whileOpen) whileOpen(Shown{text, title, kind});
  --open;
  const BoxAnswer answer = answers.empty() ? (kind == BoxKind::Question ? BoxAnswer::Yes : BoxAnswer::Ok)
                                           : answers.front();
  if (!answers.empty()) answers.pop_front();
  return answer;
}

bool FakeFiles::Write(const std::string& path, std::string_view bytes, const std::string& how) {
  const size_t slash = path.rfind('\\');
  const std::string parent = slash == std::string::npos ? std::string{} : path.substr(0, slash);
  if (folders.count(path) != 0 || locked.count(path) != 0 || readOnly.count(path) != 0 ||
      folders.count(parent) == 0) {
    return false;
  }
  if (how == "replace ") files[path].clear();
  files[path].append(bytes);
  Note(how + path);
  return true;
}

}  // namespace horavia::fakes
