#pragma once

// A main window wired to the in-process simulator stand-in, with the PC
// clock shared by both and the four sounds present so that each one played
// is recorded.

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

#include "base/calendar.h"
#include "fakes/fake_platform.h"
#include "simstandin/core/in_process_simulator.h"
#include "windows/main_window_model.h"

namespace horavia {

// The main window at a glance: its caption, the six faces (R red, G green,
// - grey), the simulator's clock and the line under it.
inline std::string Glance(const MainControls& c) {
  std::string faces;
  for (const ImageButtonState& b : c.buttons) {
    faces += b.face == ButtonFace::Red ? 'R' : b.face == ButtonFace::Green ? 'G' : '-';
  }
  return c.caption + " " + faces + " " + c.simTime.caption + " | " + c.simDate.caption;
}

struct SimulatorWorld {
  fakes::FakeWorld world{&sim};
  simstandin::InProcessSimulator sim{world.clock};
  ProcessContext context{world.platform};
  MainWindowModel window{context};
  std::string log = world.PathOf("\\Horavia.log");

  SimulatorWorld() {
    for (const char* name : {"\\sound_button.wav", "\\sound_sync.wav", "\\sound_warning.wav",
                             "\\sound_start.wav"}) {
      world.files.files[world.PathOf(name)] = "RIFF";
    }
    world.clock.now = LocalDateTime{2026, 12, 5, 13, 45, 20};
  }

  const Timekeeper& Keeper() const { return window.Timekeeping(); }
  const MainControls& Controls() const { return window.Controls(); }
  simstandin::SimAircraft& Aircraft() { return sim.standIn.Aircraft(); }

  // The sounds played since the last call, by file name ("sync", "warning").
  std::vector<std::string> TakeSounds() {
    std::vector<std::string> names;
    for (const std::string& path : world.sound.played) {
      const size_t from = path.rfind("\\sound_") + 7;
      names.push_back(path.substr(from, path.size() - from - 4));
    }
    world.sound.played.clear();
    return names;
  }

  // Journal lines of the stand-in that begin with `prefix`, since the last clear.
  size_t Count(const std::string& prefix) const {
    return static_cast<size_t>(
        std::ranges::count_if(sim.journal, [&](const std::string& line) { return line.starts_with(prefix); }));
  }

  // Each of the journal lines was written exactly once since the last clear.
  void ExpectEachOnce(std::initializer_list<const char*> prefixes) const {
    for (const char* prefix : prefixes) EXPECT_EQ(Count(prefix), 1u) << prefix;
  }

  void AdvanceSeconds(int seconds) { world.clock.Advance(seconds); }

  // Start-up with the simulator there, then forget what it took.
  void StartConnected() {
    window.Start();
    TakeSounds();
    sim.journal.clear();
  }

  // `count` sync ticks `seconds` apart.
  void Ticks(int count, int seconds = 20) {
    for (int i = 0; i < count; ++i) {
      AdvanceSeconds(seconds);
      window.OnSyncTick();
    }
  }
  // `seconds` seconds of the PC clock, each two half-second ticks, with a
  // sync tick after every `syncEvery` of them (none for 0).
  void RunSeconds(int seconds, int syncEvery = 0) {
    for (int s = 1; s <= seconds; ++s) {
      AdvanceSeconds(1);
      for (int tick = 0; tick < 2; ++tick) window.OnHalfSecondTick();
      if (syncEvery > 0 && s % syncEvery == 0) window.OnSyncTick();
    }
  }
  // ON by `button`, then `ticks` sync ticks 20 s apart.
  void Fly(int ticks, MainButton button = MainButton::Start) {
    window.Press(button);
    ASSERT_TRUE(window.Timekeeping().On());
    Ticks(ticks);
  }
  // Connected and ON by `button`, with the start's writes and sounds forgotten.
  void SwitchOn(MainButton button) {
    StartConnected();
    Fly(0, button);
    sim.journal.clear();
    TakeSounds();
  }

  // Writes of the simulator's local hour since the last clear: each write of
  // its clock has one.
  size_t TimeWrites() const { return Count("write 0x0238"); }
  // The simulator's local date and time, from its Zulu date, time and zone.
  ClockParts SimLocal() {
    const simstandin::SimAircraft::Snapshot a = Aircraft().Now();
    const ClockParts zulu =
        PartsAt(DateFromDayOfYear(a.zuluYear, a.zuluDayOfYear), a.zuluHour, a.zuluMinute, a.second);
    return AddSeconds(zulu, a.zone * 60);
  }
  // Seconds from the internal clock to the simulator's local clock.
  int Drift() { return SecondsBetween(Keeper().InternalClockNow(), SimLocal()); }
  // Seconds from the PC's clock to the simulator's local one.
  int SimAheadOfPc() { return SecondsBetween(PartsOf(world.clock.now), SimLocal()); }

  std::string Glance() const { return horavia::Glance(Controls()); }
};

}  // namespace horavia
