#include "chronolog/chronolog_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_platform.h"

namespace horavia {
namespace {

constexpr const char* kHeader =
    "Date\tDate (YYYY/MM/DD)\tTime\tElapsed Flight\tElapsed Flight (Seconds)\tElapsed Ground\t"
    "Elapsed Ground (Seconds)\tElapsed Total\tElapsed Total (Seconds)\tNotes\r\n";

class ChronoLogWriterTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  Settings settings;
  MainState state;
  std::string log = world.PathOf("\\Horavia.log");

  void SetUp() override {
    state.pcClock = ClockParts{13, 45, 21, 12, 5, 2026};
    state.F = 123;
    state.G = 600;
    state.T = 723;
  }
  void Write() { ChronoLogWriteEntry(state, settings, world.platform); }
};

TEST_F(ChronoLogWriterTest, FirstEntryCreatesTheFileWithItsHeader) {
  Write();
  EXPECT_EQ(world.files.files.at(log),
            std::string(kHeader) +
                "Saturday, December 5, 2026\t2026/12/05\t01:45:21 PM\t00:02:03\t123\t00:10:00\t"
                "600\t00:12:03\t723\t\r\n");
  EXPECT_EQ(state.T, 0);
  EXPECT_EQ(state.F, 123);
  EXPECT_EQ(state.G, 600);
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(ChronoLogWriterTest, OtherRegionalSettingsAndTheAnsiCodePage) {
  world.regional.UseStyle(fakes::FakeRegional::Style::Other);
  state.pcClock = ClockParts{0, 5, 9, 2, 1, 2027};  // just after midnight
  state.F = 0;
  Write();
  // "février" in the ANSI code page: e9 for the accented letter.
  EXPECT_EQ(world.files.files.at(log),
            std::string(kHeader) +
                "lundi 1 f\xe9vrier 2027\t2027-02-01\t12.05.09 AM\t00:00:00\t0\t00:10:00\t600\t"
                "00:10:00\t600\t\r\n");
}

TEST_F(ChronoLogWriterTest, NoonAndElevenAtNight) {
  state.pcClock = ClockParts{12, 0, 0, 1, 1, 2027};
  Write();
  state.T = 61;
  state.pcClock = ClockParts{23, 59, 59, 1, 1, 2027};
  Write();
  const std::string& text = world.files.files.at(log);
  EXPECT_NE(text.find("\t12:00:00 PM\t"), std::string::npos);
  EXPECT_NE(text.find("\t11:59:59 PM\t"), std::string::npos);
}

TEST_F(ChronoLogWriterTest, OnlyATotalAboveTheMinimumIsLogged) {
  settings.LogSecondMin = 723;
  Write();
  EXPECT_EQ(world.files.files.count(log), 0u);
  EXPECT_EQ(state.T, 723);
  state.T = 724;
  Write();
  EXPECT_EQ(world.files.files.count(log), 1u);
  EXPECT_EQ(state.T, 0);
  // A second call before the chronometers move (OFF, then closing) writes nothing.
  const std::string once = world.files.files.at(log);
  Write();
  EXPECT_EQ(world.files.files.at(log), once);
}

TEST_F(ChronoLogWriterTest, LaterEntriesAndAnEmptyFileGetNoHeader) {
  Write();
  state.T = 723;
  Write();
  const std::string& text = world.files.files.at(log);
  EXPECT_EQ(text.find("Date\t"), 0u);
  EXPECT_EQ(text.find("Date\t", 1), std::string::npos);

  world.files.files[log] = "";
  state.T = 723;
  Write();
  EXPECT_EQ(world.files.files.at(log).rfind("Saturday, December 5, 2026\t", 0), 0u);

  // A hand-edited file whose last line has no line end keeps that line whole.
  world.files.files[log] = "Header\r\nlast line";
  state.T = 723;
  Write();
  EXPECT_EQ(world.files.files.at(log).rfind("Header\r\nlast line\r\nSaturday", 0), 0u);
}

TEST_F(ChronoLogWriterTest, AnUnwritableLogIsReportedAndNothingIsDamaged) {
  world.files.files[log] = "earlier lines\r\n";
  world.files.readOnly.insert(log);
  Write();
  EXPECT_EQ(world.files.files.at(log), "earlier lines\r\n");
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].title, "Horavia");
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Warning);
  EXPECT_NE(world.boxes.shown[0].text.find("C:\\Fly\\Horavia\\Horavia.log"), std::string::npos);
  EXPECT_EQ(state.T, 723) << "kept, so that closing offers the period to the log again";

  // A folder in the log's place: the same answer, and the folder stays.
  world.files.files.erase(log);
  world.files.folders.insert(log);
  Write();
  EXPECT_EQ(world.boxes.shown.size(), 2u);
  EXPECT_EQ(world.files.files.count(log), 0u);
}

}  // namespace
}  // namespace horavia
