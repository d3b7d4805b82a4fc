// The log window and the entry writer on one file: a switch-OFF appends an
// entry while the window is open, and closing the window keeps it.

#include <gtest/gtest.h>

#include <string>

#include "chronolog/log_writer.h"
#include "windows/log_window_model.h"
#include "fakes/fake_platform.h"

namespace horavia {
namespace {

constexpr const char* kHeader =
    "Date\tDate (YYYY/MM/DD)\tTime\tElapsed Flight\tElapsed Flight (Seconds)\tElapsed Ground\t"
    "Elapsed Ground (Seconds)\tElapsed Total\tElapsed Total (Seconds)\tNotes";
constexpr const char* kOld =
    "Friday, December 4, 2026\t2026/12/04\t09:00:00 AM\t00:01:00\t60\t00:00:30\t30\t00:01:30\t90\t";
constexpr const char* kNew =
    "Saturday, December 5, 2026\t2026/12/05\t01:45:21 PM\t00:02:03\t123\t00:10:00\t600\t"
    "00:12:03\t723\t";

class ChronoLogAppendWhileOpenTest : public ::testing::Test {
 public:
  fakes::FakeWorld world;
  std::string log = world.PathOf("\\Horavia.log");

  void SwitchOff() {
    ASSERT_TRUE(AppendLogEntries({{ClockParts{13, 45, 21, 12, 5, 2026}, 123, 600}}, world.platform));
  }
};

// Whether or not the log's last line has its line end (a hand edit, or a
// copy cut short, may leave it without): the writer ends that line before
// its entry, and the window, which ends every line it writes back, must not
// end it a second time.
TEST_F(ChronoLogAppendWhileOpenTest, TheEntryFollowsTheLastLineWithOneLineEndOnly) {
  for (const std::string& before : {std::string(kHeader) + "\r\n" + kOld + "note",
                                    std::string(kHeader) + "\n" + kOld + "note\n"}) {
    SCOPED_TRACE(before);
    world.files.files[log] = before;
    LogWindowModel model(world.platform);
    model.Open();
    model.EditNote("new note");
    SwitchOff();
    model.Exit();
    EXPECT_EQ(world.files.files.at(log),
              std::string(kHeader) + "\r\n" + kOld + "new note\r\n" + kNew + "\r\n");
    EXPECT_TRUE(world.boxes.shown.empty());
  }
}

}  // namespace
}  // namespace horavia
