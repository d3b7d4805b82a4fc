#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "simulator_world.h"
#include "timekeeping/status_line.h"

namespace horavia {
namespace {

class CommandsTest : public ::testing::Test, public SimulatorWorld {};

TEST_F(CommandsTest, SystemTimeModeSetsTheSimulatorFromThePcClock) {
  Aircraft().SetZone(-300);
  Aircraft().SetLocalTime(8, 0, 0);
  world.clock.now = LocalDateTime{2026, 3, 1, 0, 30, 15};
  StartConnected();
  form.Press(MainButton::Start);
  // 1 March is day 60 of a common year.
  ExpectEachOnce({"write 0x0238 1 00", "write 0x0239 1 1e", "write 0x023A 1 0f",
                  "write 0x023B 1 05", "write 0x023C 1 1e", "write 0x023E 2 3c 00",
                  "write 0x0240 2 ea 07"});
  EXPECT_EQ(Aircraft().Now().localHour, 0);
  EXPECT_EQ(Aircraft().Now().localMinute, 30);
  EXPECT_TRUE(form.Timekeeping().On());
  EXPECT_EQ(form.Timekeeping().InternalClockOffset(), 0);
  EXPECT_EQ(Controls().buttons[0].face, ButtonFace::Green);
  EXPECT_EQ(Controls().buttons[1].face, ButtonFace::Grey);
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "start"}));
  EXPECT_EQ(Aircraft().MessageShows(), 1u) << "the status line is sent";
  EXPECT_EQ(world.timers.events.back().id, TimerId::Sync);
  EXPECT_TRUE(world.timers.events.back().armed) << "the sync timer starts its period afresh";
}

TEST_F(CommandsTest, SystemTimeModeCarriesZuluIntoTheNextYear) {
  Aircraft().SetZone(-300);
  world.clock.now = LocalDateTime{2026, 12, 31, 22, 0, 0};
  StartConnected();
  form.Press(MainButton::Start);
  ExpectEachOnce({"write 0x023B 1 03", "write 0x023E 2 01 00", "write 0x0240 2 eb 07"});
  const auto now = Aircraft().Now();
  EXPECT_EQ(now.zuluYear, 2027);
  EXPECT_EQ(now.zuluDayOfYear, 1);
  EXPECT_EQ(Controls().simDate.caption, "Thursday, December 31, 2026");
}

TEST_F(CommandsTest, SwitchingOffTurnsEverythingBack) {
  StartConnected();
  form.Press(MainButton::Start);
  for (int tick = 0; tick < 4; ++tick) form.OnSyncTick();  // 80 s on the ground
  TakeSounds();
  form.Press(MainButton::Start);
  EXPECT_FALSE(form.Timekeeping().On());
  EXPECT_EQ(Controls().caption, "Horavia (OFF)");
  EXPECT_EQ(Controls().buttons[0].face, ButtonFace::Red);
  EXPECT_EQ(Controls().buttons[1].face, ButtonFace::Red);
  EXPECT_EQ(Controls().simTime.color, colors::kYellow);
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "warning"}));
  EXPECT_EQ(Aircraft().MessageText(), " HVA: OFF");
  EXPECT_EQ(form.Timekeeping().Counted().totalSeconds, 0) << "the period was logged";
  // Closing right afterwards logs nothing more.
  const std::string log = world.files.files.at(world.PathOf("\\Horavia.log"));
  form.Shutdown();
  EXPECT_EQ(world.files.files.at(world.PathOf("\\Horavia.log")), log);
}

TEST_F(CommandsTest, DisplayTogglesRedrawWithoutCorrecting) {
  Aircraft().SetZone(-300);
  Aircraft().SetLocalTime(14, 5, 0);
  StartConnected();
  form.Press(MainButton::Hour24);
  EXPECT_EQ(Controls().simTime.caption, "14 : 05");
  EXPECT_EQ(Controls().buttons[2].face, ButtonFace::Green);
  form.Press(MainButton::Zulu);
  EXPECT_EQ(Controls().simTime.caption, "19 : 05");
  EXPECT_EQ(Controls().simZulu.color, colors::kYellow);
  EXPECT_EQ(Controls().buttons[3].face, ButtonFace::Green);
  form.Press(MainButton::Chronometers);
  EXPECT_EQ(Controls().simDate.caption, "F: 00:00:00  G: 00:00:00  T: 00:00:00");
  form.Press(MainButton::Info);
  EXPECT_FALSE(Controls().internalClockFrameVisible);
  EXPECT_TRUE(Controls().infoFrameVisible);
  form.Press(MainButton::Info);
  EXPECT_TRUE(Controls().internalClockFrameVisible);
  form.Press(MainButton::Zulu);
  EXPECT_EQ(Controls().simZulu.color, colors::kOlive);
  EXPECT_EQ(Controls().simTime.caption, "14 : 05");
  EXPECT_EQ(Count("write"), 0u);
}

TEST_F(CommandsTest, ZuluButtonWhenTheSimulatorHasJustGone) {
  StartConnected();
  sim.windowClass.clear();
  form.Press(MainButton::Zulu);
  EXPECT_EQ(TakeSounds(), (std::vector<std::string>{"button", "warning"}));
  EXPECT_FALSE(form.Toggles().showZulu);
  EXPECT_EQ(Controls().buttons[3].face, ButtonFace::Grey);
  EXPECT_EQ(Controls().simTime.caption, "?? : ??");
}

TEST_F(CommandsTest, StartUpWithoutTheSimulatorWarnsOnceAndRetriesQuietly) {
  sim.windowClass.clear();
  form.Start();
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"warning"});
  EXPECT_EQ(Controls().simDate.caption, "FSUIPC - Not connected");
  for (int i : {0, 1, 3, 4}) EXPECT_EQ(Controls().buttons[size_t(i)].face, ButtonFace::Grey);
  for (int i : {2, 5}) EXPECT_EQ(Controls().buttons[size_t(i)].face, ButtonFace::Red);
  for (int i = 0; i < 3; ++i) form.OnHalfSecondTick();
  EXPECT_TRUE(TakeSounds().empty());
  sim.windowClass = "UIPCMAIN";
  form.OnHalfSecondTick();
  EXPECT_EQ(TakeSounds(), std::vector<std::string>{"button"});
  EXPECT_TRUE(form.Connected());
  // A tick while connected makes no connect step, not even a refresh.
  world.clock.now.minute = 59;
  form.OnHalfSecondTick();
  EXPECT_NE(Keeper().LastRefresh().pc.minute, 59);
}

class StatusTextTest : public CommandsTest {
 protected:
  std::array<uint8_t, 128> MessageBytes() {
    std::array<uint8_t, 128> bytes{};
    Aircraft().Read(0x3380, 128, bytes.data());
    return bytes;
  }
};

// The status hot key sends the line; the simulator shows it for 5 s.
TEST_F(StatusTextTest, OnAndOffLinesAsTheSimulatorReceivesThem) {
  Aircraft().SetZone(-300);
  Aircraft().SetLocalTime(10, 0, 0);
  context.settings.statusKey = 'S';
  StartConnected();
  world.keys.held = {'S'};
  form.OnHalfSecondTick();
  world.keys.held.clear();
  EXPECT_EQ(Aircraft().MessageText(), " HVA: OFF");
  EXPECT_EQ(Aircraft().MessageSeconds(), 5);
  EXPECT_EQ(Count("write 0x3380 128"), 1u);
  EXPECT_EQ(sim.journal.back().rfind("answer 1", 0), 0u);
  ASSERT_GE(sim.journal.size(), 3u);
  EXPECT_EQ(sim.journal[sim.journal.size() - 2].rfind("write 0x32FA 2 05 00", 0), 0u)
      << "the display time follows the text";

  form.Press(MainButton::StartLocal);
  const std::string expected =
      " HVA: ON  Time: 10:00(AM), 12/5/2026  Zulu Offset: -5  Chrono: F(00:00:00), "
      "G(00:00:00), T(00:00:00)";
  const auto bytes = MessageBytes();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), expected);
  for (size_t i = expected.size(); i < bytes.size(); ++i) ASSERT_EQ(bytes[i], 0) << i;
}

TEST(StatusLine, ZoneHoursInShortestFormWithTheUsersSeparator) {
  fakes::FakeClock pc;
  Timekeeper keeper(pc);
  EXPECT_EQ(StatusLine(keeper, "anything", "."), " HVA: OFF");
  keeper.SwitchOn();
  const std::pair<int, const char*> cases[] = {{-300, "-5"}, {330, "5.5"}, {45, "0.75"},
                                               {0, "0"},     {20, "0.333333333333333"}};
  for (const auto& [minutes, text] : cases) {
    keeper.SetZuluOffset(minutes);
    EXPECT_EQ(StatusLine(keeper, "1:00(AM), 1/1/2027", "."),
              std::string(" HVA: ON  Time: 1:00(AM), 1/1/2027  Zulu Offset: ") + text +
                  "  Chrono: F(00:00:00), G(00:00:00), T(00:00:00)")
        << minutes;
  }
  keeper.SetZuluOffset(330);
  EXPECT_NE(StatusLine(keeper, "", ",").find("Zulu Offset: 5,5  "), std::string::npos);
}

TEST_F(StatusTextTest, LongTextIsCutAndNothingIsSentWhileClosed) {
  StartConnected();
  Simulator direct(context.link);
  direct.ShowText(std::string(300, 'x'));
  const auto bytes = MessageBytes();
  EXPECT_EQ(bytes[126], 'x');
  EXPECT_EQ(bytes[127], 0) << "the terminating zero always fits";

  // A character with no form in the code page arrives as "?".
  context.settings.statusKey = 'S';
  world.keys.held = {'S'};
  world.regional.decimalSeparator = "\xE2\x82\xAC";
  form.Press(MainButton::StartLocal);
  form.OnHalfSecondTick();
  EXPECT_NE(Aircraft().MessageText().find("Zulu Offset: 0  "), std::string::npos);
  Aircraft().SetZone(330);
  form.OnSyncTick();
  form.OnHalfSecondTick();
  EXPECT_NE(Aircraft().MessageText().find("Zulu Offset: 5?5  "), std::string::npos);

  context.link.Close();
  const int sends = sim.Sends();
  form.OnHalfSecondTick();
  EXPECT_EQ(sim.Sends(), sends);
}

}  // namespace
}  // namespace horavia
