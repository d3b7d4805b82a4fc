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
  using namespace std::chrono;
  const year_month_day ymd{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                           std::chrono::day{static_cast<unsigned>(day)}};
  return weekday{sys_days{ymd}}.c_encoding();
}

std::string Two(int32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string ParentOf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string{} : path.substr(0, slash);
}

}  // namespace

void FakeClock::Sleep(int32_t ms) {
  sleeps.push_back(ms);
  Note("sleep " + std::to_string(ms));
}

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
  if (style == Style::EnglishUs) {
    return std::to_string(month) + dateSeparator + std::to_string(day) + dateSeparator +
           std::to_string(year);
  }
  return Two(day) + dateSeparator + Two(month) + dateSeparator + std::to_string(year);
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

int16_t FakeKeyState::AsyncKeyState(int32_t vk) {
  reads.push_back(vk);
  return held.count(vk) != 0 ? static_cast<int16_t>(0x8000 - 0x10000) : int16_t{0};
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

void FakeTimers::Arm(TimerId id, int32_t intervalMs) {
  events.push_back({id, true, intervalMs});
  Note("arm " + std::to_string(static_cast<int>(id)) + " " + std::to_string(intervalMs));
  armed[id] = intervalMs;
}

void FakeTimers::Disarm(TimerId id) {
  events.push_back({id, false, 0});
  Note("disarm " + std::to_string(static_cast<int>(id)));
  armed.erase(id);
}

bool FakeFiles::IsRegularFile(const std::string& path) { return files.count(path) != 0; }

std::optional<std::string> FakeFiles::ReadAll(const std::string& path) {
  if (locked.count(path) != 0 || files.count(path) == 0) return std::nullopt;
  return files.at(path);
}

bool FakeFiles::Writable(const std::string& path) const {
  return folders.count(path) == 0 && locked.count(path) == 0 && readOnly.count(path) == 0 &&
         folders.count(ParentOf(path)) != 0;
}

bool FakeFiles::ReplaceAll(const std::string& path, std::string_view bytes) {
  if (!Writable(path)) return false;
  files[path] = std::string(bytes);
  Note("replace " + path);
  return true;
}

bool FakeFiles::Append(const std::string& path, std::string_view bytes) {
  if (!Writable(path)) return false;
  files[path].append(bytes);
  Note("append " + path);
  return true;
}

bool FakeFiles::Remove(const std::string& path) {
  if (locked.count(path) != 0 || readOnly.count(path) != 0) return false;
  return files.erase(path) != 0;
}

}  // namespace horavia::fakes
