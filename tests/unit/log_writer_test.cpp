#include "chronolog/log_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"

namespace horavia {
namespace {

constexpr const char* kHeader =
    "Date\tDate (YYYY/MM/DD)\tTime\tElapsed Flight\tElapsed Flight (Seconds)\tElapsed Ground\t"
    "Elapsed Ground (Seconds)\tElapsed Total\tElapsed Total (Seconds)\tNotes\r\n";
constexpr const char* kEntry =
    "Saturday, December 5, 2026\t2026/12/05\t01:45:21 PM\t00:02:03\t123\t00:10:00\t600\t"
    "00:12:03\t723\t\r\n";

class ChronoLogWriterTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  std::string log = world.PathOf("\\Horavia.log");
  LogEntry entry{ClockParts{13, 45, 21, 12, 5, 2026}, 123, 600};

  bool Write(const std::vector<LogEntry>& entries) {
    return AppendLogEntries(entries, world.platform);
  }
  bool Write() { return Write({entry}); }
};

TEST_F(ChronoLogWriterTest, FirstEntryCreatesTheFileWithItsHeader) {
  EXPECT_TRUE(Write());
  EXPECT_EQ(world.files.files.at(log), std::string(kHeader) + kEntry);
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(ChronoLogWriterTest, OtherRegionalSettingsAndTheAnsiCodePage) {
  world.regional.UseStyle(fakes::FakeRegional::Style::Other);
  entry = {ClockParts{0, 5, 9, 2, 1, 2027}, 0, 600};  // just after midnight
  Write();
  // "février" in the ANSI code page: e9 for the accented letter.
  EXPECT_EQ(world.files.files.at(log),
            std::string(kHeader) +
                "lundi 1 f\xe9vrier 2027\t2027-02-01\t12.05.09 AM\t00:00:00\t0\t00:10:00\t600\t"
                "00:10:00\t600\t\r\n");
}

TEST_F(ChronoLogWriterTest, SeveralEntriesGoInOrderInOneWriteWithNoonAndElevenAtNight) {
  const LogEntry noon{ClockParts{12, 0, 0, 1, 1, 2027}, 61, 0};
  const LogEntry late{ClockParts{23, 59, 59, 1, 1, 2027}, 0, 62};
  EXPECT_TRUE(Write({noon, late}));
  const std::string& text = world.files.files.at(log);
  const size_t first = text.find("\t12:00:00 PM\t");
  const size_t second = text.find("\t11:59:59 PM\t");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_EQ(world.journal.lines, std::vector<std::string>{"append " + log});
}

TEST_F(ChronoLogWriterTest, LaterEntriesAndAnEmptyFileGetNoHeader) {
  Write();
  Write();
  const std::string& text = world.files.files.at(log);
  EXPECT_EQ(text.find("Date\t"), 0u);
  EXPECT_EQ(text.find("Date\t", 1), std::string::npos);

  world.files.files[log] = "";
  Write();
  EXPECT_EQ(world.files.files.at(log), kEntry);

  // A hand-edited file whose last line has no line end keeps that line whole.
  world.files.files[log] = "Header\r\nlast line";
  Write();
  EXPECT_EQ(world.files.files.at(log), std::string("Header\r\nlast line\r\n") + kEntry);
}

TEST_F(ChronoLogWriterTest, AFailedWriteSaysSoAndDamagesNothing) {
  world.files.files[log] = "earlier lines\r\n";
  world.files.readOnly.insert(log);
  EXPECT_FALSE(Write());
  EXPECT_EQ(world.files.files.at(log), "earlier lines\r\n");
  EXPECT_TRUE(world.boxes.shown.empty()) << "the caller tells the user";

  // A folder in the log's place: the same answer, and the folder stays.
  world.files.files.erase(log);
  world.files.folders.insert(log);
  EXPECT_FALSE(Write());
  EXPECT_EQ(world.files.files.count(log), 0u);

  // A text that cannot be put in the code page is a failure, never an
  // empty append counted as written.
  world.files.folders.erase(log);
  world.regional.failConversions = true;
  EXPECT_FALSE(Write());
  EXPECT_EQ(world.files.files.count(log), 0u);
}

TEST_F(ChronoLogWriterTest, EntriesAreDescribedForTheUser) {
  const std::string one = "the flight of Saturday, December 5, 2026 01:45:21 PM (Flight 00:02:03, "
                          "Ground 00:10:00, Total 00:12:03)";
  EXPECT_EQ(DescribeEntries({entry}, world.regional), one);
  const std::vector<LogEntry> seven(7, entry);
  const std::string many = DescribeEntries(seven, world.regional);
  EXPECT_EQ(many.rfind("7 flights, Saturday, December 5, 2026 01:45:21 PM (", 0), 0u);
  EXPECT_NE(many.find("; and 2 more"), std::string::npos);
}

}  // namespace
}  // namespace horavia
