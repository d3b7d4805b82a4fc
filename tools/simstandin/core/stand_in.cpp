#include "simstandin/core/stand_in.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <utility>

#include "link/request_block.h"

namespace simstandin {

namespace rb = horavia::request_block;

namespace {

constexpr uint32_t kJournalBytes = 256;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() &&
         (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) {
    s.remove_suffix(1);
  }
  return s;
}

// Splits off the first word.
std::string_view Word(std::string_view& rest) {
  rest = Trim(rest);
  const size_t space = rest.find(' ');
  const std::string_view word = rest.substr(0, space);
  rest = space == std::string_view::npos ? std::string_view{} : Trim(rest.substr(space));
  return word;
}

template <typename T>
bool Number(std::string_view text, T& value, int base = 10) {
  if (base == 16 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
  }
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  return ec == std::errc{} && ptr == end && !text.empty();
}

bool OnOff(std::string_view text, bool& value) {
  if (text == "on")
    value = true;
  else if (text == "off")
    value = false;
  else
    return false;
  return true;
}

// The commands, one function each: what follows the verb is `rest`; a
// refused command says why in `why`.
using CommandFunction = bool (*)(StandIn& standIn, std::string_view rest, std::string& why);

bool SetTime(StandIn& standIn, std::string_view rest, std::string& why) {
  int32_t h = 0, m = 0, s = 0;
  const std::string_view text = Word(rest);
  why = "want set time HH:MM:SS";
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
  if (!Number(text.substr(0, 2), h) || !Number(text.substr(3, 2), m) ||
      !Number(text.substr(6, 2), s) || h > 23 || m > 59 || s > 59) {
    return false;
  }
  standIn.Aircraft().SetLocalTime(h, m, s);
  return true;
}

bool SetZone(StandIn& standIn, std::string_view rest, std::string& why) {
  int32_t zone = 0;
  why = "want set zone MINUTES (local minus Zulu, -720..840)";
  if (!Number(Word(rest), zone) || zone < -720 || zone > 840) return false;
  standIn.Aircraft().SetZone(zone);
  return true;
}

bool SetDate(StandIn& standIn, std::string_view rest, std::string& why) {
  int32_t day = 0, year = 0;
  why = "want set date DAY-OF-YEAR YEAR";
  if (!Number(Word(rest), day) || !Number(Word(rest), year) || day < 1 || day > 366 || year < 1 ||
      year > 9999) {
    return false;
  }
  standIn.Aircraft().SetZuluDate(day, year);
  return true;
}

bool Set(StandIn& standIn, std::string_view rest, std::string& why) {
  const std::string_view what = Word(rest);
  if (what == "time") return SetTime(standIn, rest, why);
  if (what == "zone") return SetZone(standIn, rest, why);
  if (what == "date") return SetDate(standIn, rest, why);
  why = "unknown command";
  return false;
}

bool Drift(StandIn& standIn, std::string_view rest, std::string& why) {
  int64_t seconds = 0;
  why = "want drift SECONDS";
  if (!Number(Word(rest), seconds)) return false;
  standIn.Aircraft().Drift(seconds);
  return true;
}

bool Pause(StandIn& standIn, std::string_view rest, std::string& why) {
  bool on = false;
  why = "want on or off";
  if (!OnOff(Word(rest), on)) return false;
  standIn.Aircraft().SetPaused(on);
  return true;
}

bool Ground(StandIn& standIn, std::string_view rest, std::string& why) {
  bool on = false;
  why = "want on or off";
  if (!OnOff(Word(rest), on)) return false;
  standIn.Aircraft().SetOnGround(on);
  return true;
}

bool Seconds(StandIn& standIn, std::string_view rest, std::string& why) {
  const std::string_view mode = Word(rest);
  why = "want seconds zero or seconds keep";
  if (mode != "zero" && mode != "keep") return false;
  standIn.Aircraft().SetZeroesWrittenSeconds(mode == "zero");
  return true;
}

bool Writes(StandIn& standIn, std::string_view rest, std::string& why) {
  const std::string_view mode = Word(rest);
  why = "want writes ignore or writes take";
  if (mode != "ignore" && mode != "take") return false;
  standIn.Aircraft().SetIgnoresClockWrites(mode == "ignore");
  return true;
}

// 256 is real time: "rate 1024", "rate 4x" and "rate 1/2x" (128) are
// rates the simulator offers; "rate 0" plays one that does not serve it.
bool ParseRate(std::string_view text, int32_t& rate256) {
  int32_t n = 0;
  if (!text.ends_with('x')) {
    if (!Number(text, n) || n < 0 || n > 0xFFFF) return false;
    rate256 = n;
    return true;
  }
  text.remove_suffix(1);
  const bool slower = text.starts_with("1/");
  if (slower) text.remove_prefix(2);
  if (!Number(text, n) || n < 1 || n > 255 || (slower && 256 % n != 0)) return false;
  rate256 = slower ? 256 / n : n * 256;
  return true;
}

bool Rate(StandIn& standIn, std::string_view rest, std::string& why) {
  int32_t rate256 = 0;
  why = "want rate RATE (times 256, 0..65535), rate Nx or rate 1/Nx";
  if (!ParseRate(Word(rest), rate256)) return false;
  standIn.Aircraft().SetRate(rate256);
  return true;
}

bool Hang(StandIn& standIn, std::string_view /*rest*/, std::string& /*why*/) {
  standIn.faults.hang = true;
  return true;
}

bool Answer(StandIn& standIn, std::string_view /*rest*/, std::string& /*why*/) {
  standIn.faults.hang = false;
  return true;
}

bool Reject(StandIn& standIn, std::string_view /*rest*/, std::string& /*why*/) {
  standIn.faults.reject = true;
  return true;
}

bool Normal(StandIn& standIn, std::string_view /*rest*/, std::string& /*why*/) {
  standIn.faults = Faults{};
  return true;
}

constexpr std::array<std::pair<std::string_view, Garbage>, 7> kGarbageModes{{
    {"", Garbage::Size},
    {"size", Garbage::Size},
    {"type", Garbage::Type},
    {"token", Garbage::Token},
    {"offset", Garbage::Offset},
    {"end", Garbage::End},
    {"off", Garbage::Off},
}};

bool SpoilBlocks(StandIn& standIn, std::string_view rest, std::string& why) {
  const std::string_view mode = Word(rest);
  why = "want garbage [type|size|token|offset|end|off]";
  for (const auto& [name, garbage] : kGarbageModes) {
    if (name != mode) continue;
    standIn.faults.garbage = garbage;
    return true;
  }
  return false;
}

bool BadVersion(StandIn& standIn, std::string_view /*rest*/, std::string& /*why*/) {
  standIn.Aircraft().SetVersions(0x19980004, SimAircraft::kDefaultSimulatorVersion);
  return true;
}

bool Version(StandIn& standIn, std::string_view rest, std::string& why) {
  uint32_t interfaceVersion = 0, simulatorVersion = 0;
  why = "want version INTERFACE SIMULATOR (hex)";
  if (!Number(Word(rest), interfaceVersion, 16) || !Number(Word(rest), simulatorVersion, 16)) {
    return false;
  }
  standIn.Aircraft().SetVersions(interfaceVersion, simulatorVersion);
  return true;
}

// Apply() journals the state itself.
bool State(StandIn& /*standIn*/, std::string_view /*rest*/, std::string& /*why*/) { return true; }

bool Quit(StandIn& standIn, std::string_view /*rest*/, std::string& /*why*/) {
  standIn.quitRequested = true;
  return true;
}

// Each verb with its command.
constexpr std::array<std::pair<std::string_view, CommandFunction>, 16> kCommands{{
    {"set", Set},
    {"drift", Drift},
    {"pause", Pause},
    {"ground", Ground},
    {"seconds", Seconds},
    {"writes", Writes},
    {"rate", Rate},
    {"hang", Hang},
    {"answer", Answer},
    {"reject", Reject},
    {"normal", Normal},
    {"garbage", SpoilBlocks},
    {"badversion", BadVersion},
    {"version", Version},
    {"state", State},
    {"quit", Quit},
}};

}  // namespace

void StandIn::NoteRecord(const char* kind, uint32_t offset, uint32_t size, const uint8_t* bytes) {
  if (!journal) return;
  char head[48];
  std::snprintf(head, sizeof head, "%s 0x%04X %u", kind, static_cast<unsigned>(offset),
                static_cast<unsigned>(size));
  std::string line = head;
  const uint32_t shown = std::min(size, kJournalBytes);
  for (uint32_t i = 0; i < shown; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", static_cast<unsigned>(bytes[i]));
    line += hex;
  }
  if (shown < size) line += " +" + std::to_string(size - shown);
  journal(line);
}

uint32_t StandIn::Serve(uint8_t* block, uint32_t blockSize) {
  if (faults.reject) {
    Note("answer 0 rejected");
    return 0;
  }
  uint64_t at = 0;
  for (;;) {
    if (at + 4 > blockSize) break;
    const uint32_t type = rb::LoadU32(block + at);
    if (type == rb::kTypeEnd) {
      Note("answer 1");
      if (faults.garbage != Garbage::Off) Spoil(block, static_cast<uint32_t>(at));
      return 1;
    }
    const uint32_t header = type == rb::kTypeRead ? rb::kReadHeaderSize : rb::kWriteHeaderSize;
    if ((type != rb::kTypeRead && type != rb::kTypeWrite) || at + header > blockSize) break;
    const uint32_t offset = rb::LoadU32(block + at + 4);
    const uint32_t size = rb::LoadU32(block + at + 8);
    if (at + header + size > blockSize) break;
    uint8_t* data = block + at + header;
    if (type == rb::kTypeRead) {
      aircraft_.Read(offset, size, data);
      NoteRecord("read", offset, size, data);
    } else {
      aircraft_.Write(offset, size, data);
      NoteRecord("write", offset, size, data);
    }
    at += header + size;
  }
  if (journal) journal("answer 0 bad record at " + std::to_string(at));
  return 0;
}

void StandIn::Spoil(uint8_t* block, uint32_t endPosition) {
  const char* name = "";
  switch (faults.garbage) {
    case Garbage::Off:
      return;
    case Garbage::Type:
      name = "type";
      rb::StoreU32(block, 7);
      break;
    case Garbage::Size:
      name = "size";
      rb::StoreU32(block + 8, 0xFFFFFFF0u);
      break;
    case Garbage::Token:
      name = "token";
      // Every read's token, so that one is hit whatever the order.
      for (uint32_t at = 0; at < endPosition;) {
        const uint32_t type = rb::LoadU32(block + at);
        const uint32_t size = rb::LoadU32(block + at + 8);
        if (type == rb::kTypeRead) rb::StoreU32(block + at + 12, 0x7FFFFFF0u);
        at += (type == rb::kTypeRead ? rb::kReadHeaderSize : rb::kWriteHeaderSize) + size;
      }
      break;
    case Garbage::Offset:
      name = "offset";
      rb::StoreU32(block + 4, rb::LoadU32(block + 4) ^ 1u);
      break;
    case Garbage::End:
      name = "end";
      rb::StoreU32(block + endPosition, rb::kTypeRead);
      break;
  }
  Note(std::string("garbage ") + name);
}

void StandIn::Apply(std::string_view line) {
  line = Trim(line);
  if (line.empty()) return;
  std::string_view rest = line;
  const std::string_view verb = Word(rest);
  std::string why;
  if (ApplyCommand(verb, rest, why)) {
    Note("cmd " + std::string(line));
    if (verb == "state") Note("state " + aircraft_.Describe());
  } else {
    Note("error " + std::string(line) + ": " + why);
  }
}

bool StandIn::ApplyCommand(std::string_view verb, std::string_view rest, std::string& why) {
  const auto command = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const auto& known) { return known.first == verb; });
  if (command != kCommands.end()) return command->second(*this, rest, why);
  why = "unknown command";
  return false;
}

}  // namespace simstandin
