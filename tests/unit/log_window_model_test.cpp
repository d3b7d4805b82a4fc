#include "windows/log_window_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_platform.h"

namespace horavia {
namespace {

constexpr const char* kHeader =
    "Date\tDate (YYYY/MM/DD)\tTime\tElapsed Flight\tElapsed Flight (Seconds)\tElapsed Ground\t"
    "Elapsed Ground (Seconds)\tElapsed Total\tElapsed Total (Seconds)\tNotes";

// An entry line as the program writes it, without its line end.
std::string Entry(const std::string& date, const std::string& time, int flight, int ground,
                  const std::string& note = "") {
  return date + "\t2026/12/05\t" + time + "\tF\t" + std::to_string(flight) + "\tG\t" +
         std::to_string(ground) + "\tT\t" + std::to_string(flight + ground) + "\t" + note;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

class LogWindowModelTest : public ::testing::Test {
 public:
  fakes::FakeWorld world;
  std::string log = world.PathOf("\\Horavia.log");
  std::string sound = world.PathOf("\\sound_button.wav");
  const std::string a = Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "first");
  const std::string b = Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30);
  const std::string c = Entry("Friday, June 5, 2026", "11:59:59 PM", 7200, 0, "third");

  LogWindowModelTest() { world.files.files[sound] = "RIFF"; }

  // Opens a window on the log as it is now.
  LogWindowModel& Open() {
    model_ = std::make_unique<LogWindowModel>(world.platform);
    model_->Open();
    return *model_;
  }
  const LogWindowControls& Shown() const { return model_->Controls(); }
  const std::vector<std::string>& Items() const { return Shown().entryList.items; }
  bool Rewritten() const {
    const std::vector<std::string>& lines = world.journal.lines;
    return std::find(lines.begin(), lines.end(), "replace " + log) != lines.end();
  }

 private:
  std::unique_ptr<LogWindowModel> model_;
};

TEST_F(LogWindowModelTest, NoFileGivesAnEmptyWindowThatWritesNothing) {
  LogWindowModel& model = Open();
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Shown().entryList.listIndex, -1);
  EXPECT_EQ(Shown().totalFlight, "");
  EXPECT_EQ(Shown().entryTotal, "");
  EXPECT_FALSE(Shown().note.enabled);

  model.ToggleDeletionMark();
  EXPECT_EQ(world.sound.played.size(), 1u);
  EXPECT_TRUE(Items().empty());

  // Yes, but there is nothing to delete: no "Done.", the window stays open.
  model.ClearLog();
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].text, "This will delete the current log file.  Are you sure?");
  EXPECT_EQ(world.boxes.shown[0].title, "Horavia");
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Question);
  EXPECT_FALSE(model.Closed());

  model.Exit();
  EXPECT_TRUE(model.Closed());
  EXPECT_EQ(world.files.files.count(log), 0u);
  EXPECT_EQ(world.sound.played.size(), 3u);
}

TEST_F(LogWindowModelTest, EmptyFileAndHeaderOnlyAreLeftAsTheyAre) {
  world.files.files[log] = "";
  Open().Close();
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(world.files.files.at(log), "");

  world.files.files[log] = std::string(kHeader) + "\r\n";
  LogWindowModel& model = Open();
  EXPECT_TRUE(Items().empty());
  EXPECT_FALSE(Shown().note.enabled);
  model.EditNote("ignored without an entry");
  model.Exit();
  EXPECT_EQ(world.files.files.at(log), std::string(kHeader) + "\r\n");
}

TEST_F(LogWindowModelTest, OpensOnTheNewestEntryWithItsTimesNoteAndTheTotals) {
  world.files.files[log] = Lines({kHeader, a, b, c});
  LogWindowModel& model = Open();
  EXPECT_EQ(Items(), (std::vector<std::string>{"Monday, May 4, 2026 - 09:00:00 AM",
                                               "Tuesday, May 5, 2026 - 01:30:00 PM",
                                               "Friday, June 5, 2026 - 11:59:59 PM"}));
  EXPECT_EQ(Shown().entryList.listIndex, 2);
  EXPECT_EQ(Shown().note.text, "third");
  EXPECT_TRUE(Shown().note.enabled);
  EXPECT_EQ(Shown().entryFlight, "02:00:00");
  EXPECT_EQ(Shown().entryGround, "00:00:00");
  EXPECT_EQ(Shown().entryTotal, "02:00:00");
  EXPECT_EQ(Shown().totalFlight, "03:01:00");
  EXPECT_EQ(Shown().totalGround, "00:10:30");
  EXPECT_EQ(Shown().totalTotal, "03:11:30");

  model.SelectEntry(1);
  EXPECT_EQ(Shown().note.text, "") << "an entry without a note empties the box";
  EXPECT_EQ(Shown().entryTotal, "00:01:30");
  EXPECT_TRUE(Shown().note.enabled);

  // Only browsing: the file is not rewritten at all.
  model.Exit();
  EXPECT_FALSE(Rewritten());
}

TEST_F(LogWindowModelTest, ANoteEditReachesTheFileAfterTheNinthTabWithTabsAndBreaksAsSpaces) {
  world.files.files[log] = Lines({kHeader, a, b, c});
  LogWindowModel& model = Open();
  model.SelectEntry(0);
  EXPECT_EQ(Shown().note.text, "first");
  model.EditNote("firs");
  model.EditNote("Ferry flight, EGLL to LFPG");
  model.SelectEntry(1);
  model.EditNote("left\tright\r\nnext\nend");
  EXPECT_EQ(Shown().note.text, "left right  next end");
  model.Exit();
  EXPECT_EQ(
      world.files.files.at(log),
      Lines({kHeader,
             Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "Ferry flight, EGLL to LFPG"),
             Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30, "left right  next end"), c}));

  Open().SelectEntry(0);
  EXPECT_EQ(Shown().note.text, "Ferry flight, EGLL to LFPG");
}

TEST_F(LogWindowModelTest, MarkingTogglesExactlyAndLeavesTheTotalsAlone) {
  world.files.files[log] = Lines({kHeader, a, b, c});
  LogWindowModel& model = Open();
  model.SelectEntry(1);
  const std::string plain = Items()[1];

  model.ToggleDeletionMark();
  EXPECT_EQ(Items()[1], "x  " + plain);
  EXPECT_EQ(Shown().entryList.listIndex, 1);
  EXPECT_TRUE(model.TakeListFocusRequest());
  EXPECT_FALSE(model.TakeListFocusRequest());
  EXPECT_EQ(Shown().totalTotal, "03:11:30");
  EXPECT_EQ(Shown().entryTotal, "00:01:30");

  model.ToggleDeletionMark();
  EXPECT_EQ(Items()[1], plain);
  EXPECT_EQ(world.sound.played.size(), 2u);
  model.Exit();
  EXPECT_FALSE(Rewritten()) << "unmarked again: nothing to write";
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a, b, c}));
}

TEST_F(LogWindowModelTest, AMarkedEntryCanStillBeShownAndEditedAndIsDroppedOnClosing) {
  world.files.files[log] = Lines({kHeader, a, b, c});
  LogWindowModel& model = Open();
  model.SelectEntry(0);
  model.ToggleDeletionMark();
  model.SelectEntry(2);
  model.SelectEntry(0);
  EXPECT_EQ(Items()[0], "x  Monday, May 4, 2026 - 09:00:00 AM");
  EXPECT_EQ(Shown().entryFlight, "01:00:00");
  EXPECT_EQ(Shown().note.text, "first");
  model.EditNote("edited, then dropped");
  model.Exit();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, b, c}));

  LogWindowModel& again = Open();
  for (int k = 0; k < 2; ++k) {
    again.SelectEntry(k);
    again.ToggleDeletionMark();
  }
  again.Close();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader}));
}

TEST_F(LogWindowModelTest, ShortEntryLinesAreListedWithWhatTheyHold) {
  const std::string fiveTabs = "Sat\tx\t10:00:00 AM\tF\t100\t";
  const std::string sixTabs = "Sun\tx\t11:00:00 AM\tF\t200\tG\t77";
  const std::string sevenTabs = "Mon\tx\t12:00:00 PM\tF\t300\tG\t40\tT";
  const std::string eightTabs = "Tue\tx\t01:00:00 PM\tF\t400\tG\t50\tT\t450";
  world.files.files[log] = Lines({kHeader, fiveTabs, sixTabs, sevenTabs, eightTabs});
  LogWindowModel& model = Open();
  ASSERT_EQ(Items().size(), 4u);
  EXPECT_EQ(Items()[1], "Sun - 11:00:00 AM");
  EXPECT_EQ(Shown().totalFlight, "00:16:40");
  EXPECT_EQ(Shown().totalGround, "00:01:30") << "ground counts only where a TAB follows it";

  model.SelectEntry(1);
  EXPECT_EQ(Shown().entryFlight, "00:03:20");
  EXPECT_EQ(Shown().entryGround, "00:00:00");
  EXPECT_EQ(Shown().note.text, "");
  model.SelectEntry(2);
  EXPECT_EQ(Shown().entryGround, "00:00:40");
  EXPECT_EQ(Shown().note.text, "");

  // A note on a line without a note column keeps the line's own text; it
  // goes after TABs that make nine, and emptying the box restores the line.
  // Those TABs must not turn the text after the six-TAB line's last TAB
  // into its ground seconds.
  model.EditNote("n");
  model.EditNote("");
  model.SelectEntry(3);
  model.EditNote("late note");
  model.SelectEntry(1);
  model.EditNote("Sunday");
  EXPECT_EQ(Shown().entryGround, "00:00:00");
  model.SelectEntry(3);
  EXPECT_EQ(Shown().note.text, "late note");
  model.Exit();
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, fiveTabs, "Sun\tx\t11:00:00 AM\tF\t200\tG\t\t77\t\tSunday", sevenTabs,
                   eightTabs + "\tlate note"}));
  LogWindowModel& again = Open();
  EXPECT_EQ(Shown().totalFlight, "00:16:40");
  EXPECT_EQ(Shown().totalGround, "00:01:30");
  again.SelectEntry(1);
  EXPECT_EQ(Shown().entryGround, "00:00:00");
  EXPECT_EQ(Shown().note.text, "Sunday");
}

TEST_F(LogWindowModelTest, OtherLinesStayInPlaceAndEachItemActsOnItsOwnLine) {
  const std::string junk = "copied from an old notebook";
  const std::string fewTabs = "a\tb\tc\td";
  world.files.files[log] = Lines({kHeader, a, "", junk, fewTabs, "", b, c});
  LogWindowModel& model = Open();
  ASSERT_EQ(Items().size(), 3u);
  EXPECT_EQ(Items()[1], "Tuesday, May 5, 2026 - 01:30:00 PM");
  EXPECT_EQ(Shown().totalFlight, "03:01:00");

  model.SelectEntry(1);
  EXPECT_EQ(Shown().entryFlight, "00:01:00");
  model.ToggleDeletionMark();
  model.SelectEntry(2);
  model.EditNote("last one");
  model.Exit();
  // An empty line does not end the write-back.
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, a, "", junk, fewTabs, "",
                   Entry("Friday, June 5, 2026", "11:59:59 PM", 7200, 0, "last one")}));
}

TEST_F(LogWindowModelTest, BareLineFeedsAndNumbersThatAreNotNumbers) {
  const std::string odd = "Wed\tx\t08:00:00 AM\tF\tabc\tG\t 90 \tT\t90\t";
  const std::string huge = "Thu\tx\t09:00:00 AM\tF\t99999999999\tG\t-30\tT\t0\t";
  world.files.files[log] = std::string(kHeader) + "\n" + a + "\n" + odd + "\r\n" + huge;
  LogWindowModel& model = Open();
  ASSERT_EQ(Items().size(), 3u);
  EXPECT_EQ(Shown().entryFlight, "00:00:00") << "beyond 32 bits counts as 0";
  EXPECT_EQ(Shown().entryGround, "-00:00:30");
  model.SelectEntry(1);
  EXPECT_EQ(Shown().entryFlight, "00:00:00");
  EXPECT_EQ(Shown().entryGround, "00:01:30");
  EXPECT_EQ(Shown().totalFlight, "01:00:00");
  EXPECT_EQ(Shown().totalGround, "00:11:00");
  model.EditNote("odd");
  model.Exit();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a, odd + "odd", huge}));
}

TEST_F(LogWindowModelTest, AnsiTextIsShownInUtf8AndUntouchedLinesKeepTheirBytes) {
  // 0xE9 is "é" in the ANSI code page (Latin-1 in the fakes).
  const std::string french = Entry("lundi 1 f\xE9vrier 2027", "12:05:09 AM", 10, 20, "caf\xE9");
  const std::string junk = "\xE9t\xE9 \xFF";
  world.files.files[log] = Lines({kHeader, junk, french, a});
  LogWindowModel& model = Open();
  EXPECT_EQ(Items()[0], "lundi 1 f\xC3\xA9vrier 2027 - 12:05:09 AM");
  model.SelectEntry(0);
  EXPECT_EQ(Shown().note.text, "caf\xC3\xA9");
  model.SelectEntry(1);
  model.EditNote("cr\xC3\xA8me");
  model.Exit();
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, junk, french,
                   Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "cr\xE8me")}));
}

TEST_F(LogWindowModelTest, ALongLogOpensWhole) {
  std::vector<std::string> lines{kHeader};
  for (int i = 0; i < 100000; ++i) lines.push_back(Entry("Day " + std::to_string(i), "t", 1, 2));
  world.files.files[log] = Lines(lines);
  LogWindowModel& model = Open();
  ASSERT_EQ(Items().size(), 100000u);
  EXPECT_EQ(Shown().entryList.listIndex, 99999);
  EXPECT_EQ(Shown().totalTotal, "83:20:00");
  model.EditNote("newest");
  model.SelectEntry(0);
  model.ToggleDeletionMark();
  model.Exit();
  lines.erase(lines.begin() + 1);
  lines.back() += "newest";
  EXPECT_EQ(world.files.files.at(log), Lines(lines));
}

TEST_F(LogWindowModelTest, AnEntryAppendedWhileOpenSurvivesTheClose) {
  world.files.files[log] = Lines({kHeader, a, b});
  LogWindowModel& model = Open();
  model.SelectEntry(0);
  model.ToggleDeletionMark();
  // A hot-key switch-OFF under the window appends an entry.
  ASSERT_TRUE(world.files.Append(log, c + "\r\n"));
  model.Exit();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, b, c}));
  EXPECT_TRUE(world.boxes.shown.empty());
}

// Windows ends the session with the window open: the user's notes and marks
// reach the file, after which the main window appends its own entry; where
// the file cannot be written nothing is shown and nothing changes.
TEST_F(LogWindowModelTest, TheEndOfTheSessionWritesTheCopyBackWithoutABox) {
  world.files.files[log] = Lines({kHeader, a, b});
  LogWindowModel& model = Open();
  model.EditNote("landed");
  model.SelectEntry(0);
  model.ToggleDeletionMark();
  ASSERT_TRUE(world.files.Append(log, c + "\r\n"));
  model.EndSession();
  EXPECT_TRUE(model.Closed());
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30, "landed"), c}));

  LogWindowModel& held = Open();
  held.EditNote("lost with the session");
  world.files.locked.insert(log);
  held.EndSession();
  world.files.locked.clear();
  EXPECT_TRUE(held.Closed());
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30, "landed"), c}));
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(LogWindowModelTest, ALogRewrittenElsewhereWhileOpenIsNotOverwritten) {
  world.files.files[log] = Lines({kHeader, a, b});
  LogWindowModel& model = Open();
  model.EditNote("mine");
  world.files.files[log] = Lines({kHeader, b});
  model.Exit();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, b}));
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Warning);
  EXPECT_EQ(world.boxes.shown[0].title, "Horavia");

  // Deleted meanwhile: the window's copy is written as a new file.
  world.files.files[log] = Lines({kHeader, a});
  LogWindowModel& again = Open();
  again.EditNote("kept");
  world.files.files.erase(log);
  again.Exit();
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "kept")}));
}

TEST_F(LogWindowModelTest, ClearLogAsksAndDeletesOnlyOnYes) {
  world.files.files[log] = Lines({kHeader, a});
  LogWindowModel& model = Open();
  model.EditNote("pending");
  world.boxes.answers = {BoxAnswer::No};
  model.ClearLog();
  EXPECT_FALSE(model.Closed());
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a}));
  ASSERT_EQ(world.boxes.shown.size(), 1u);

  world.boxes.answers = {BoxAnswer::Yes};
  model.ClearLog();
  EXPECT_EQ(world.files.files.count(log), 0u);
  ASSERT_EQ(world.boxes.shown.size(), 3u);
  EXPECT_EQ(world.boxes.shown[2].text, "Done.");
  EXPECT_EQ(world.boxes.shown[2].kind, BoxKind::Information);
  EXPECT_EQ(world.boxes.shown[2].title, "Horavia");
  EXPECT_TRUE(model.Closed());
  model.Close();
  EXPECT_EQ(world.files.files.count(log), 0u) << "closing after Clear Log writes nothing";
  EXPECT_EQ(world.sound.played.size(), 2u);
}

TEST_F(LogWindowModelTest, AFileThatCannotBeReadWrittenOrDeletedLosesNothing) {
  world.files.files[log] = Lines({kHeader, a, b});
  world.files.locked.insert(log);
  LogWindowModel& unreadable = Open();
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Warning);
  EXPECT_NE(world.boxes.shown[0].text.find(log), std::string::npos);
  EXPECT_TRUE(Items().empty());
  world.files.locked.clear();
  unreadable.Exit();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a, b}));

  world.files.readOnly.insert(log);
  LogWindowModel& readOnly = Open();
  readOnly.ToggleDeletionMark();
  world.boxes.answers = {BoxAnswer::Yes};
  readOnly.ClearLog();
  EXPECT_FALSE(readOnly.Closed());
  ASSERT_EQ(world.boxes.shown.size(), 3u);
  EXPECT_EQ(world.boxes.shown[2].kind, BoxKind::Warning) << "not deleted, and no \"Done.\"";
  readOnly.Exit();
  ASSERT_EQ(world.boxes.shown.size(), 4u);
  EXPECT_EQ(world.boxes.shown[3].kind, BoxKind::Warning);
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a, b}));

  // A note that cannot be put in the code page is a failed write, not an
  // erased note: the file keeps every byte and the user is told.
  world.files.readOnly.clear();
  LogWindowModel& accents = Open();
  world.regional.failConversions = true;
  accents.EditNote("caf\xC3\xA9");
  accents.ToggleDeletionMark();
  accents.Exit();
  ASSERT_EQ(world.boxes.shown.size(), 5u);
  EXPECT_NE(world.boxes.shown[4].text.find("code page"), std::string::npos);
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a, b}));

  // A file far beyond any flight log is refused, not read into the window.
  world.regional.failConversions = false;
  std::string& huge = world.files.files[log];
  huge.append(LogWindowModel::kLargestLogBytes, '\n');
  const size_t hugeSize = huge.size();
  LogWindowModel& tooLarge = Open();
  ASSERT_EQ(world.boxes.shown.size(), 6u);
  EXPECT_NE(world.boxes.shown[5].text.find("too large for the log window"), std::string::npos);
  EXPECT_TRUE(Items().empty());
  tooLarge.Exit();
  EXPECT_EQ(world.files.files.at(log).size(), hugeSize);
}

}  // namespace
}  // namespace horavia
