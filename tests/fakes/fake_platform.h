#pragma once

// Small, honest fakes of the operating-system ports: they record what the
// logic did and hold state the test sets. None scripts calls one by one.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/calendar.h"
#include "ports/platform.h"

namespace horavia::fakes {

// Common base: the journal, shared by the fakes of a world, where a fake
// writes a line for each thing the logic did, so that a test can check the
// order in which it used different services.
struct Journaled {
  std::vector<std::string>* journal = nullptr;
  void Note(std::string line) {
    if (journal != nullptr) journal->push_back(std::move(line));
  }
};

// A clock the test sets. Elapsed time moves with `now`, except by the steps
// of the PC's clock made with StepPcClock().
class FakeClock : public Clock, public Journaled {
 public:
  LocalDateTime now{2026, 12, 5, 13, 45, 21};
  int64_t steppedSeconds = 0;  // the PC clock's steps so far, which elapsed time does not see
  std::vector<int32_t> sleeps;
  LocalDateTime Now() override { return now; }
  int64_t ElapsedMs() override {
    return (SecondsSinceEpoch(PartsOf(now)) - steppedSeconds) * 1000 + now.millisecond;
  }
  // Time passes, across days, months and years.
  void Advance(int64_t seconds) {
    const ClockParts moved = FromSecondsSinceEpoch(SecondsSinceEpoch(PartsOf(now)) + seconds);
    now = {moved.year, moved.month, moved.day, moved.hour, moved.minute, moved.second, now.millisecond};
  }
  // The user, a time service or daylight saving sets the PC's clock.
  void StepPcClock(int64_t seconds) {
    Advance(seconds);
    steppedSeconds += seconds;
  }
  void Sleep(int32_t ms) override {
    sleeps.push_back(ms);
    Note("sleep " + std::to_string(ms));
  }
};

// English (United States) by default; every format can be changed.
class FakeRegional : public Regional {
 public:
  enum class Style { EnglishUs, Other };
  explicit FakeRegional(Style style = Style::EnglishUs) { UseStyle(style); }
  // Switches every format and separator to those of `style`.
  void UseStyle(Style style);
  std::string LongDate(int32_t year, int32_t month, int32_t day) override;
  std::string ShortDate(int32_t year, int32_t month, int32_t day) override;
  std::string DateSeparator() override { return dateSeparator; }
  std::string TimeSeparator() override { return timeSeparator; }
  std::string DecimalSeparator() override { return decimalSeparator; }
  // Latin-1 stands in for the ANSI code page: what has no Latin-1 form is
  // "?". With `failConversions` every conversion fails, as Windows' does
  // when it refuses the flags for the code page in force.
  std::optional<std::string> ToAnsi(std::string_view utf8) override;
  std::string FromAnsi(std::string_view ansi) override;

  Style style;
  bool failConversions = false;
  std::string dateSeparator, timeSeparator, decimalSeparator;
};

class FakeKeyState : public KeyState {
 public:
  std::set<int32_t> held;
  std::vector<int32_t> reads;
  int16_t AsyncKeyState(int32_t vk) override {
    reads.push_back(vk);
    return held.count(vk) != 0 ? static_cast<int16_t>(0x8000 - 0x10000) : int16_t{0};
  }
};

class FakeSound : public Sound, public Journaled {
 public:
  std::vector<std::string> played;
  void PlayAsync(const std::string& path) override {
    played.push_back(path);
    Note("sound " + path);
  }
};

class FakeShell : public Shell, public Journaled {
 public:
  void Open(const std::string& path) override { Note("open " + path); }
};

class FakeMessageBoxes : public MessageBoxes, public Journaled {
 public:
  struct Shown {
    std::string text, title;
    BoxKind kind;
  };
  std::vector<Shown> shown;
  std::deque<BoxAnswer> answers;  // taken in turn; Ok (or Yes) when empty
  // Runs while a box is open, as the timer ticks that Windows delivers
  // under a real one; the box counts as open until it returns.
  std::function<void(const Shown&)> whileOpen;
  int open = 0;  // boxes open now, one inside the other
  BoxAnswer Show(const std::string& text, const std::string& title, BoxKind kind) override;
};

class FakeTimers : public Timers, public Journaled {
 public:
  struct Event {
    TimerId id;
    bool armed;  // or disarmed
    int32_t intervalMs;
  };
  std::vector<Event> events;
  std::map<TimerId, int32_t> armed;  // the timers running now, by interval
  void Arm(TimerId id, int32_t intervalMs) override {
    events.push_back({id, true, intervalMs});
    Note("arm " + std::to_string(static_cast<int>(id)) + " " + std::to_string(intervalMs));
    armed[id] = intervalMs;
  }
  void Disarm(TimerId id) override {
    events.push_back({id, false, 0});
    Note("disarm " + std::to_string(static_cast<int>(id)));
    armed.erase(id);
  }
};

// An in-memory folder tree. Paths are the program's own ("C:\Fly\Horavia.ini").
class FakeFiles : public Files, public Journaled {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  std::set<std::string> readOnly;  // can be read, not replaced, appended or removed
  std::set<std::string> locked;    // held by another program: no access at all
  bool IsRegularFile(const std::string& path) override { return files.count(path) != 0; }
  std::optional<std::string> ReadAll(const std::string& path) override {
    if (locked.count(path) != 0 || files.count(path) == 0) return std::nullopt;
    return files.at(path);
  }
  bool ReplaceAll(const std::string& path, std::string_view bytes) override {
    return Write(path, bytes, "replace ");
  }
  bool Append(const std::string& path, std::string_view bytes) override {
    return Write(path, bytes, "append ");
  }
  bool Remove(const std::string& path) override {
    return locked.count(path) == 0 && readOnly.count(path) == 0 && files.erase(path) != 0;
  }

 private:
  // Replaces the file's bytes, or appends to them, where a program may write.
  bool Write(const std::string& path, std::string_view bytes, const std::string& how);
};

// No simulator runs: no window of any class is found.
class NoSimulatorIpc : public LinkIpc {
 public:
  Handle FindWindowByClass(const std::string&) override { return 0; }
  uint32_t RegisterMessage(const std::string&) override { return 0xC000; }
  uint16_t AddAtom(const std::string&) override { return 0; }
  void DeleteAtom(uint16_t) override {}
  Mapping CreateMapping(const std::string&, uint32_t) override { return {}; }
  uint8_t* MapView(Handle) override { return nullptr; }
  void UnmapView(uint8_t*) override {}
  void CloseHandle(Handle) override {}
  bool Send(Handle, uint32_t, uintptr_t, intptr_t, uint32_t, uint32_t&) override { return false; }
  uint32_t LastError() override { return 0; }
  void Sleep(uint32_t) override {}
  uint32_t ProcessId() override { return 0x1234; }
};

inline constexpr const char* kProgramFolder = "C:\\Fly\\Horavia";

// A fresh world of fakes; `platform` wires them together.
struct FakeWorld {
  FakeClock clock;
  FakeRegional regional;
  FakeKeyState keys;
  FakeSound sound;
  FakeShell shell;
  FakeMessageBoxes boxes;
  FakeTimers timers;
  FakeFiles files;
  NoSimulatorIpc noSimulator;
  std::vector<std::string> journal;
  Platform platform;

  explicit FakeWorld(LinkIpc* ipc = nullptr)
      : platform{clock, regional, keys,  sound, shell, boxes, timers,
                 files, ipc != nullptr ? *ipc : noSimulator, kProgramFolder} {
    files.folders.insert(kProgramFolder);
    clock.journal = sound.journal = shell.journal = boxes.journal = timers.journal = files.journal = &journal;
  }
  std::string PathOf(const std::string& name) const { return std::string(kProgramFolder) + name; }
};

}  // namespace horavia::fakes
