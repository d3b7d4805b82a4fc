// A long session of the main window against the in-process simulator. The
// run plays the PC clock (which runs on while the link waits out time-outs),
// the two window timers, the user and the simulator from one seeded
// generator; message boxes deliver the ticks that fall due while they are
// open, as Windows' nested message loop does.

#include "soak/soak_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>
#include <sstream>
#include <tuple>

#include "soak/soak_rate.h"
#include "unit/simulator_world.h"

namespace horavia::soak {
namespace {

using namespace std::chrono;

constexpr int64_t kNever = INT64_MAX;
constexpr int32_t kControl = 17;
constexpr int32_t kHotKeys[3] = {'S', 'L', 'T'};  // Start, Start Loc, Status; each with CTRL

// An ON period as the run counts it: each sync tick outside a box that finds
// the simulator answering and not paused adds one interval to the ground or
// the flight, by where the run put the aircraft.
struct Period {
  int32_t flight = 0, ground = 0, shownF = 0, shownG = 0;  // shown: by the window, last step
  sys_seconds start, end;
  int64_t pcSteps = 0;  // seconds the PC clock was stepped by meanwhile, either way
};

LocalDateTime ToLocal(sys_seconds t) {
  const year_month_day d{floor<days>(t)};
  const hh_mm_ss<seconds> h{t - floor<days>(t)};
  return {int32_t(d.year()),          int32_t(unsigned(d.month())), int32_t(unsigned(d.day())),
          int32_t(h.hours().count()), int32_t(h.minutes().count()), int32_t(h.seconds().count())};
}

class Soak {
 public:
  Soak(uint64_t seed, int sessionHours) : rng_(seed), endMs_(sessionHours * int64_t{3600000}) {
    start_ = sys_days{year{2026} / December / 31} + hours{18} + seconds{Pick(5 * 3600)};
  }

  SoakResult Run() {
    w_.sim.keepJournal = false;
    w_.sim.beforeSend = [this](int) { CatchUpWithLink(); };
    w_.world.boxes.whileOpen = [this](const fakes::FakeMessageBoxes::Shown&) { BoxOpen(); };
    w_.Aircraft().SetZone(zone_ = AnyZone());
    PickSimulatorKind();
    SetSimTimeOfDay();
    Advance(0);
    Call("start-up", [this] { w_.window.Start(); });
    Settings& keys = w_.context.settings;  // as the settings window sets them
    std::tie(keys.startKey, keys.startLocKey, keys.statusKey) = std::tuple(kHotKeys[0], kHotKeys[1], kHotKeys[2]);
    keys.startModifiers = keys.startLocModifiers = keys.statusModifiers = 1;
    RunUntil(endMs_);
    closing_ = true;
    Call("shut-down", [this] { w_.window.Shutdown(); });
    if (on_) EndPeriod();
    CheckLog();
    return result_;
  }

 private:
  int32_t Pick(int32_t count) { return int32_t(rng_() % uint64_t(count)); }
  // Every quarter of an hour from -12:00 to +14:00.
  int32_t AnyZone() { return -720 + 15 * Pick(105); }
  // The draws in their own statements: arguments are evaluated in no set order.
  void SetSimTimeOfDay() {
    const int32_t hour = Pick(24), minute = Pick(60), second = Pick(60);
    w_.Aircraft().SetLocalTime(hour, minute, second);
  }
  // One simulator in three takes a written second as 0; the window sets
  // such a one at the next full minute.
  void PickSimulatorKind() { w_.Aircraft().SetZeroesWrittenSeconds(Pick(3) == 0); }
  sys_seconds PcNow() const { return start_ + seconds{nowMs_ / 1000 + pcStepped_}; }
  int32_t SyncMs() const { return w_.context.settings.syncIntervalMs; }
  bool UnderBox() const { return w_.world.boxes.open > 0; }
  // How far the simulator's local time runs ahead of the PC clock.
  int64_t SimAhead() { return (LocalOf(w_.Aircraft().Now()) - PcNow()).count(); }
  static sys_seconds LocalOf(const simstandin::SimAircraft::Snapshot& a) {
    return sys_days{year{a.zuluYear} / January / 1} + days{a.zuluDayOfYear - 1} + hours{a.zuluHour} +
           minutes{a.zuluMinute + a.zone} + seconds{a.second};
  }

  // A moment of the session, as seconds after its start.
  std::string Text(sys_seconds t) const { return std::to_string((t - start_).count()) + " s in"; }

  void Expect(bool holds, const std::string& rule) {
    if (holds || !result_.failure.empty()) return;
    result_.failure = "step " + std::to_string(result_.steps) + " (PC " + Text(PcNow()) + ", " + step_ +
                      (UnderBox() ? " under a message box" : "") + "): " + rule;
  }

  // The PC clock moves on by the time-outs and pauses the link waited out.
  void CatchUpWithLink() {
    Advance(int64_t(w_.sim.NowMs() - linkMs_));
    linkMs_ = w_.sim.NowMs();
  }

  // Time passes; the simulator's clock runs with it, a little fast or slow.
  void Advance(int64_t ms) {
    nowMs_ += ms;
    drift_ += ms * driftSecondsPerHour_;
    for (; drift_ >= 3600000; drift_ -= 3600000) DriftSecond(1);
    for (; drift_ <= -3600000; drift_ += 3600000) DriftSecond(-1);
    w_.world.clock.now = ToLocal(PcNow());
    w_.world.clock.now.millisecond = int32_t(nowMs_ % 1000);
    w_.world.clock.steppedSeconds = pcStepped_;
  }
  // A fast or slow simulator moves away second by second: each 3 seconds
  // count as one event that moved its clock (the window measures distances
  // to a second or so, and tries again when one moved past the tolerance).
  void DriftSecond(int64_t second) {
    w_.Aircraft().Drift(second);
    driftSinceEvent_ += second;
    if (std::abs(driftSinceEvent_) >= 3) ClockMoved();
  }
  // An event moved the simulator's clock, the internal clock or both: from
  // here on at most two writes set them together (three for a simulator
  // that zeroes seconds, which may be set once more at the full minute),
  // and what the next checks expect starts again.
  void ClockMoved() {
    writesAtEvent_ = w_.Aircraft().ClockWrites();
    driftSinceEvent_ = 0;
    stepCheck_.reset();
    correctedMs_ = -1;
    rate_.OtherEvent();
  }

  // The timers as the window armed them; what the fakes recorded is dropped.
  void SyncTimers() {
    fakes::FakeWorld& world = w_.world;
    for (const fakes::FakeTimers::Event& e : world.timers.events)
      (e.id == TimerId::Sync ? nextSyncMs_ : nextSecondMs_) = e.armed ? nowMs_ + e.intervalMs : kNever;
    result_.corrections += int(std::ranges::count_if(
        world.sound.played, [](const std::string& s) { return s.find("sync") != s.npos; }));
    for (auto* recorded : {&world.sound.played, &world.journal}) recorded->clear();
    world.timers.events.clear();
    world.keys.reads.clear();
    w_.sim.sleeps.clear();
  }

  auto Watch() {
    const Timekeeper& k = w_.Keeper();
    const Chronometers& c = k.Counted();
    return std::tuple(w_.window.Connected(), k.On(), c.flightSeconds, c.groundSeconds, c.totalSeconds,
                      k.InternalClockOffset(), w_.window.Log().Pending().size());
  }

  void Call(std::string what, const std::function<void()>& handler) {
    const bool underBox = UnderBox();
    step_ = std::move(what);
    const int64_t startMs = nowMs_;
    if (!underBox) ++result_.steps;
    // Busy (loading scenery): the first exchange of a handler waits out time-outs.
    if (!underBox && nowMs_ < slowUntilMs_) w_.sim.hangSends = uint32_t(3 + Pick(3));
    const auto before = Watch();
    const bool wasOn = on_;
    const bool connectedBefore = w_.window.Connected();
    const uint32_t writesBefore = w_.Aircraft().ClockWrites();
    const int64_t simAhead = SimAhead();
    const uint64_t linkBefore = w_.sim.NowMs();
    if (!underBox) rate_.Before(w_.Aircraft());
    handler();
    CatchUpWithLink();
    // A write that waited out time-outs lands late; for a simulator that
    // zeroes seconds that may cost the next full minute.
    if (w_.sim.NowMs() - linkBefore > 1000) waitedMs_ = nowMs_;
    SyncTimers();
    if (underBox) return Expect(Watch() == before, "a handler run under a message box changes nothing");
    // A write that waited out time-outs, or a new connection, may set the clock once more.
    if (waitedMs_ == nowMs_ || w_.window.Connected() != connectedBefore) ClockMoved();
    if (w_.Keeper().On() != wasOn) ClockMoved();
    // The start's own write is not counted.
    if (!wasOn && w_.Keeper().On()) writesAtEvent_ = std::min(writesAtEvent_, writesBefore + 1);
    Observe(startMs);
    const bool startLoc = w_.Controls().buttons[1].face == ButtonFace::Green;
    const std::string rule = rate_.After(w_.Aircraft(), !wasOn && on_ && !startLoc, w_.Keeper().On(), startLoc,
                                         w_.Aircraft().IgnoresClockWrites() || w_.Aircraft().ZeroesWrittenSeconds(),
                                         !w_.Controls().simTime.toolTip.empty(), nowMs_, SyncMs() + 61000);
    Expect(rule.empty(), rule);
    if (wasOn || !on_) return;
    // A start: in simulator time it writes nothing; from the PC clock it sets the simulator and the
    // internal clock to the PC time of the simulator's answer (one that zeroes seconds is set at
    // the next full minute, and its internal clock may come from its zeroed second).
    const int32_t offset = std::abs(w_.Keeper().InternalClockOffset().value_or(99));
    const int64_t gained = 2 + PilotRate::Gained(w_.Aircraft(), nowMs_ - startMs);  // at its rate meanwhile
    Expect(w_.Controls().buttons[1].face == ButtonFace::Green ? std::abs(SimAhead() - simAhead) <= gained
           : w_.Aircraft().IgnoresClockWrites()             ? true
           : w_.window.SimulatorLink().ZeroesSeconds() || w_.Aircraft().ZeroesWrittenSeconds() ? offset <= 5
                                                            : std::abs(SimAhead()) <= gained && offset <= 2,
           "a start writes the PC clock into the simulator, or nothing in simulator time");
  }

  // After a handler outside any box.
  void Observe(int64_t startMs) {
    const Timekeeper& k = w_.Keeper();
    const bool on = k.On(), connected = w_.window.Connected();
    const int32_t flight = k.Counted().flightSeconds, ground = k.Counted().groundSeconds;
    if (on && !on_) {
      on_ = true;
      period_ = Period{0, 0, 0, 0, PcNow() - seconds{(nowMs_ - startMs) / 1000}, {}, 0};
      ++result_.onPeriods;
    }
    if (!on && on_) EndPeriod();
    for (const size_t i : {0u, 1u, 3u, 4u}) {
      const ImageButtonState& button = w_.Controls().buttons[i];
      Expect(connected || (!on && !button.enabled && button.face == ButtonFace::Grey),
             "not connected means OFF and buttons 0, 1, 3 and 4 grey");
    }
    Expect(on || !k.InternalClockOffset(), "OFF means no internal clock offset");
    if (on) {
      Expect(flight >= period_.shownF && ground >= period_.shownG, "F and G never decrease while ON");
      Expect(flight == period_.flight && ground == period_.ground, "F and G are what the run counted");
      std::tie(period_.shownF, period_.shownG) = std::tuple(flight, ground);
    }
    if (on && connected && !closing_) return CheckClocks();  // a closing window keeps no clock
    offSinceMs_ = kNever;
    correctedMs_ = -1;
  }

  void CheckClocks() {
    const Timekeeper& k = w_.Keeper();
    Expect(k.InternalClockOffset().has_value(), "ON and connected means an internal clock offset");
    const sys_seconds internal = InternalNow();
    const simstandin::SimAircraft::Snapshot aircraft = w_.Aircraft().Now();
    // Corrections and the start from the PC clock are the only writes.
    Expect(aircraft.zone == zone_, "the window leaves the simulator's zone alone");
    const uint32_t writes = w_.Aircraft().ClockWrites();
    const bool zeroes = w_.Aircraft().ZeroesWrittenSeconds() || w_.window.SimulatorLink().ZeroesSeconds();
    Expect(writes - writesAtEvent_ <= (zeroes ? 3u : 2u), "the simulator's clock written " +
           std::to_string(writes - writesAtEvent_) + " times after one event that moved a clock");
    if (PilotRate::Accelerated(w_.Aircraft())) {  // left alone: a distance counts from 1x on
      std::tie(offSinceMs_, correctedMs_, writesSeen_) = std::tuple(kNever, -1, writes);
      return;
    }
    const sys_seconds sim = LocalOf(aircraft);
    const int64_t apart = (sim - internal).count();
    if (floor<days>(internal) != floor<days>(PcNow())) ++result_.otherDateChecks;
    if (writes != writesSeen_) std::tie(writesSeen_, correctedMs_) = std::tuple(writes, nowMs_);
    if (nowMs_ - correctedMs_ >= SyncMs() && correctedMs_ >= 0 && !w_.Aircraft().IgnoresClockWrites()) {
      Expect(floor<days>(sim) == floor<days>(internal) || std::abs(apart) <= 5,
             "the simulator's date is not the internal clock's one interval after a correction");
      correctedMs_ = -1;
    }
    if (stepCheck_) {
      Expect(std::abs(InternalAheadOfElapsed() - *stepCheck_) <= 1, "after Start Loc a step of the PC clock moved the internal clock");
    }
    if (std::abs(apart) <= 5) {
      offSinceMs_ = kNever;
      return;
    }
    // A simulator that takes no write stays off, tried twice per change of
    // the distance; the count starts when the window tries again.
    if (w_.Aircraft().IgnoresClockWrites() || k.CorrectionsHeld()) {
      offSinceMs_ = nowMs_;
      return;
    }
    offSinceMs_ = std::min(offSinceMs_, nowMs_);
    // A simulator that zeroes seconds waits for the next full minute too,
    // and a minute is missed when its first second passes under a message
    // box or while the simulator is slow to answer (a write then lands
    // late): the count starts again after those.
    const int64_t since = zeroes ? std::max({offSinceMs_, boxClosedMs_, slowUntilMs_, waitedMs_}) : offSinceMs_;
    Expect(nowMs_ - since <= SyncMs() + (zeroes ? 61000 : 0),
           "the simulator's clock is " + std::to_string(apart) + " s off the internal clock for over a sync interval");
  }
  sys_seconds InternalNow() const {
    const ClockParts i = w_.Keeper().InternalClockNow();
    return sys_days{year{i.year} / i.month / i.day} + seconds{i.hour * 3600 + i.minute * 60 + i.second};
  }
  // The internal clock minus the elapsed time of the session.
  int64_t InternalAheadOfElapsed() const { return (InternalNow() - start_).count() - nowMs_ / 1000; }

  void EndPeriod() {
    on_ = false;
    period_.end = PcNow();
    if (period_.flight + period_.ground <= w_.context.settings.logSecondMin) return;
    if (w_.world.files.locked.count(w_.log) != 0) ++result_.heldLogSwitchOffs;
    periods_.push_back(period_);
  }

  void BoxOpen() {
    ++result_.boxes;
    SyncTimers();
    Expect(w_.world.boxes.open == 1, "no message box opens under another");
    if (closing_) w_.world.files.locked.clear();  // the user frees the log, then Yes: try again
    RunUntil(nowMs_ + 500 + Pick(90000));
    boxClosedMs_ = nowMs_;
  }

  void SyncTick() {
    nextSyncMs_ = nowMs_ + SyncMs();
    if (on_ && !UnderBox() && simAnswers_ && !paused_) (onGround_ ? period_.ground : period_.flight) += SyncMs() / 1000;
    Call("sync tick", [this] { w_.window.OnSyncTick(); });
  }

  void RunUntil(int64_t untilMs) {
    while (result_.failure.empty()) {
      const int64_t next = std::min(
          {simBackMs_, logFreeMs_, keyUpMs_, nextSyncMs_, nextSecondMs_, closing_ ? kNever : nextEventMs_});
      if (next > untilMs) break;
      if (next > nowMs_) Advance(next - nowMs_);
      if (nowMs_ >= simBackMs_) {
        SimLeavesOrReturns(false);
      } else if (nowMs_ >= logFreeMs_) {
        w_.world.files.locked.clear();
        logFreeMs_ = kNever;
      } else if (nowMs_ >= keyUpMs_) {
        w_.world.keys.held.clear();
        keyUpMs_ = kNever;
      } else if (nowMs_ >= nextSyncMs_) {
        SyncTick();
      } else if (nowMs_ >= nextSecondMs_) {
        nextSecondMs_ = nowMs_ + 500;
        Call("half-second tick", [this] { w_.window.OnHalfSecondTick(); });
      } else {
        nextEventMs_ = nowMs_ + 1000 + Pick(239000);
        RandomEvent();
      }
    }
    if (result_.failure.empty() && untilMs > nowMs_) Advance(untilMs - nowMs_);
  }

  void RandomEvent() {
    simstandin::SimAircraft& aircraft = w_.Aircraft();
    if (PilotRate::Accelerated(aircraft) && Pick(4) == 0) {  // back at 1x
      ClockMoved();
      return rate_.Back(aircraft, nowMs_);
    }
    const int32_t pick = Pick(100);
    if (pick < 30) {
      const int button = pick < 4 ? 2 + Pick(3) : Pick(2);
      Call("button " + std::to_string(button), [this, button] { w_.window.Press(static_cast<MainButton>(button)); });
    } else if (pick < 34) {
      w_.world.keys.held = {kControl, kHotKeys[Pick(3)]};
      keyUpMs_ = nowMs_ + 500;  // held through one half-second tick
    } else if (pick < 44) {
      aircraft.SetPaused(paused_ = !paused_);
    } else if (pick < 56) {
      aircraft.SetOnGround(onGround_ = !onGround_);
    } else if (pick < 61) {  // into another zone: Zulu time goes on, local time moves
      const int32_t from = zone_;
      aircraft.SetZone(zone_ = AnyZone());
      aircraft.Drift(int64_t{zone_ - from} * 60);
    } else if (pick < 68) {
      driftSecondsPerHour_ = Pick(3) == 0 ? 0 : Pick(241) - 120;
    } else if (pick < 76 && Pick(2) == 0) {  // the simulator's clock set by hand: same day,
      SetSimTimeOfDay();
    } else if (pick < 76) {  // or a step off
      aircraft.Drift(Pick(2) == 0 ? 6 + Pick(600) : -6 - Pick(600));
    } else if (pick < 84) {
      if (simAnswers_) SimLeavesOrReturns(true);
    } else if (pick < 87) {
      slowUntilMs_ = nowMs_ + 10000 + Pick(600000);
    } else if (pick < 90) {
      w_.world.files.locked.insert(w_.log);
      logFreeMs_ = nowMs_ + 10000 + Pick(2400000);
    } else if (pick < 93) {
      StepPcClock();
    } else if (pick < 96) {  // the pilot sets another date in the simulator's menu
      const int32_t days = 1 + Pick(40);
      const simstandin::SimAircraft::Snapshot a = aircraft.Now();
      aircraft.SetZuluDate(a.zuluDayOfYear + (Pick(2) == 0 ? days : -days), a.zuluYear);
      ++result_.dateMoves;
    } else if (pick < 98) {  // a simulator that holds its clock for a while
      aircraft.SetIgnoresClockWrites(!aircraft.IgnoresClockWrites());
      result_.writesIgnored += aircraft.IgnoresClockWrites() ? 1 : 0;
    } else {  // the pilot runs the simulator faster or slower for a while
      PilotRate::Accelerate(aircraft, Pick(6));
      ++result_.rateChanges;
    }
    // A zone, a drift rate, a clock set by hand or stepped, a date, a simulator that holds its clock, a rate.
    if ((pick >= 56 && pick < 76) || pick >= 93) ClockMoved();
  }

  // Daylight saving (an hour either way), a PC clock set a couple of days
  // right, or a time service's step. After Start Loc the simulator must not
  // move with it.
  void StepPcClock() {
    const int32_t kind = Pick(4);
    const int64_t size = kind < 2 ? 3600 : kind == 2 ? int64_t{2} * 86400 : int64_t{6} + Pick(600);
    const int64_t step = Pick(2) == 0 ? size : -size;
    pcStepped_ += step;
    period_.pcSteps += std::abs(step);
    ++result_.pcClockSteps;
    ClockMoved();
    // Only with the two clocks together: else the window may rightly take or set one.
    const int64_t apart = (LocalOf(w_.Aircraft().Now()) - start_).count() - nowMs_ / 1000 - InternalAheadOfElapsed();
    const bool together = std::abs(apart) <= 5 && !w_.Keeper().MinuteWriteDue();
    if (on_ && together && w_.Controls().buttons[1].face == ButtonFace::Green) stepCheck_ = InternalAheadOfElapsed();
    Advance(0);
  }

  // Leaving: closed, or its window there but never answering.
  void SimLeavesOrReturns(bool leaves) {
    simAnswers_ = !leaves;
    // Another simulator is met only through a new connection.
    if (!leaves && !w_.window.Connected()) PickSimulatorKind();
    w_.sim.windowClass = leaves && Pick(2) == 0 ? "" : "FS98MAIN";
    w_.sim.standIn.faults.hang = leaves && !w_.sim.windowClass.empty();
    simBackMs_ = leaves ? nowMs_ + 1000 + Pick(900000) : kNever;
    result_.disconnects += leaves ? 1 : 0;
  }

  // One line per counted period above the minimum, in order after the
  // header: its flight and ground seconds, and a stamp within the period.
  void CheckLog() {
    step_ = "the log after the shut-down";
    Expect(w_.window.Log().Pending().empty(), "nothing stays pending once the log is free");
    std::istringstream log(w_.world.files.files[w_.log]);
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) lines.push_back(line);
    Expect(lines.size() == (periods_.empty() ? 0 : periods_.size() + 1),
           "the log has " + std::to_string(lines.size()) + " lines for " + std::to_string(periods_.size()) + " periods");
    for (size_t i = 0; i < periods_.size() && i + 1 < lines.size(); ++i) {
      const Period& p = periods_[i];
      const std::string& line = lines[i + 1];
      // Date, time and the three pairs of times; CR LF ends, after an empty note.
      int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, flight = -1, ground = -1, total = -1, end = 0;
      char noon[3] = {};
      std::sscanf(line.c_str(), "%*[^\t]\t%4d/%2d/%2d\t%2d:%2d:%2d %2[APM]\t%*[^\t]\t%d\t%*[^\t]\t%d\t%*[^\t]\t%d\t\r%n",
                  &y, &mo, &d, &h, &mi, &s, noon, &flight, &ground, &total, &end);
      const int hour = h % 12 + (std::string_view(noon) == "PM" ? 12 : 0);
      const sys_seconds stamp = sys_days{year{y} / mo / d} + seconds{hour * 3600 + mi * 60 + s};
      const bool counted = flight == p.flight && ground == p.ground && total == p.flight + p.ground;
      const bool within = p.start - seconds{p.pcSteps} <= stamp && stamp <= p.end + seconds{p.pcSteps};
      Expect(size_t(end) == line.size() && line.ends_with("\t\r") && counted && within,
             "log entry \"" + line + "\" is not the run's flight " + std::to_string(p.flight) + " s, ground " +
                 std::to_string(p.ground) + " s, ON from " + Text(p.start) + " to " + Text(p.end));
    }
    result_.loggedEntries = int(periods_.size());
  }

  SimulatorWorld w_;
  std::mt19937_64 rng_;
  sys_seconds start_;
  int64_t endMs_, nowMs_ = 0, offSinceMs_ = kNever, nextSecondMs_ = kNever, nextSyncMs_ = kNever;
  int64_t nextEventMs_ = 0, simBackMs_ = kNever, logFreeMs_ = kNever, keyUpMs_ = kNever;
  int64_t driftSecondsPerHour_ = 0, drift_ = 0, slowUntilMs_ = 0, boxClosedMs_ = 0, waitedMs_ = 0;
  int64_t pcStepped_ = 0, driftSinceEvent_ = 0, correctedMs_ = -1;
  uint32_t writesAtEvent_ = 0, writesSeen_ = 0;
  std::optional<int64_t> stepCheck_;  // after Start Loc and a PC clock step: the simulator ahead of elapsed time
  PilotRate rate_;
  uint64_t linkMs_ = 0;
  int32_t zone_ = 0;  // the simulator's, in minutes
  bool simAnswers_ = true, paused_ = false, onGround_ = true;
  bool on_ = false, closing_ = false;
  Period period_;
  std::vector<Period> periods_;
  std::string step_;
  SoakResult result_;
};

}  // namespace

SoakResult RunSoak(uint64_t seed, int hours) { return Soak(seed, hours).Run(); }

}  // namespace horavia::soak
