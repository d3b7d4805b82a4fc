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
    "Saturday, December 5, 2026\t2026/12/05\t01:45:21 PM\t00:02:03\t123\t00:10:00\t600\t00:12:03\t723\t\r\n";

class LogWriterTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  std::string log = world.PathOf("\\Horavia.log");
  LogEntry entry{ClockParts{13, 45, 21, 12, 5, 2026}, 123, 600};

  bool Write(const std::vector<LogEntry>& entries) { return AppendLogEntries(entries, world.platform); }
};

TEST_F(LogWriterTest, TheFirstWriteCreatesTheFileWithItsHeaderAndLaterOnesAppend) {
  EXPECT_TRUE(Write({}));
  EXPECT_TRUE(world.journal.empty()) << "nothing to write";
  EXPECT_TRUE(Write({entry}));
  EXPECT_EQ(world.files.files.at(log), std::string(kHeader) + kEntry);
  const LogEntry noon{ClockParts{12, 0, 0, 1, 1, 2027}, 61, 0};
  const LogEntry late{ClockParts{23, 59, 59, 1, 1, 2027}, 0, 62};
  world.journal.clear();
  EXPECT_TRUE(Write({noon, late}));
  EXPECT_EQ(world.journal, std::vector<std::string>{"append " + log}) << "in one write";
  const std::string& text = world.files.files.at(log);
  EXPECT_EQ(text.find("Date\t", 1), std::string::npos) << "one header only";
  EXPECT_LT(text.find("\t12:00:00 PM\t"), text.find("\t11:59:59 PM\t"));
  EXPECT_NE(text.find("\t11:59:59 PM\t"), std::string::npos);
  EXPECT_TRUE(world.boxes.shown.empty());

  world.files.files[log] = "";
  Write({entry});
  EXPECT_EQ(world.files.files.at(log), kEntry) << "an empty file gets no header";
  // A hand-edited file whose last line has no line end keeps that line whole.
  world.files.files[log] = "Header\r\nlast line";
  Write({entry});
  EXPECT_EQ(world.files.files.at(log), std::string("Header\r\nlast line\r\n") + kEntry);
}

TEST_F(LogWriterTest, OtherRegionalSettingsAndTheAnsiCodePage) {
  world.regional.UseStyle(fakes::FakeRegional::Style::Other);
  Write({{ClockParts{0, 5, 9, 2, 1, 2027}, 0, 600}});  // just after midnight
  EXPECT_EQ(world.files.files.at(log),
            std::string(kHeader) + "d\xED" "a 1.2.2027\t2027-02-01\t12.05.09 AM\t00:00:00\t0\t00:10:00\t600\t"
                                   "00:10:00\t600\t\r\n");
}

TEST_F(LogWriterTest, AFailedWriteSaysSoAndDamagesNothing) {
  world.files.files[log] = "earlier lines\r\n";
  world.files.readOnly.insert(log);
  EXPECT_FALSE(Write({entry}));
  EXPECT_EQ(world.files.files.at(log), "earlier lines\r\n");
  EXPECT_TRUE(world.boxes.shown.empty()) << "the caller tells the user";
  world.files.files.erase(log);
  world.files.folders.insert(log);
  EXPECT_FALSE(Write({entry})) << "a folder in the log's place";
  world.files.folders.erase(log);
  world.regional.failConversions = true;
  EXPECT_FALSE(Write({entry})) << "a text that cannot be put in the code page";
  EXPECT_EQ(world.files.files.count(log), 0u);
}

TEST_F(LogWriterTest, EntriesAreDescribedForTheUser) {
  EXPECT_EQ(DescribeEntries({entry}, world.regional),
            "the flight of Saturday, December 5, 2026 01:45:21 PM (Flight 00:02:03, Ground 00:10:00, "
            "Total 00:12:03)");
  const std::string many = DescribeEntries(std::vector<LogEntry>(7, entry), world.regional);
  EXPECT_EQ(many.rfind("7 flights, Saturday, December 5, 2026 01:45:21 PM (", 0), 0u);
  EXPECT_TRUE(many.ends_with("); and 2 more")) << many;
}

}  // namespace
}  // namespace horavia
