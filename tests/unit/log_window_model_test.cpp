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

class ChronoLogWindowTest : public ::testing::Test {
 protected:
  fakes::FakeWorld world;
  std::string log = world.PathOf("\\Horavia.log");
  std::string sound = world.PathOf("\\sound_button.wav");
  const std::string a = Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "first");
  const std::string b = Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30);
  const std::string c = Entry("Friday, June 5, 2026", "11:59:59 PM", 7200, 0, "third");

  ChronoLogWindowTest() { world.files.files[sound] = "RIFF"; }

  // Opens a window on the log as it is now.
  LogWindowModel& Open() {
    form_ = std::make_unique<LogWindowModel>(world.platform);
    form_->Form_Load();
    return *form_;
  }
  const LogWindowControls& Shown() const { return form_->Controls(); }
  const std::vector<std::string>& Items() const { return Shown().cboLogDateTime.items; }
  bool Rewritten() const {
    const std::vector<std::string>& lines = world.journal.lines;
    return std::find(lines.begin(), lines.end(), "replace " + log) != lines.end();
  }

 private:
  std::unique_ptr<LogWindowModel> form_;
};

TEST_F(ChronoLogWindowTest, NoFileGivesAnEmptyWindowThatWritesNothing) {
  LogWindowModel& form = Open();
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(Shown().cboLogDateTime.listIndex, -1);
  EXPECT_EQ(Shown().lblTotalAir, "");
  EXPECT_EQ(Shown().lblDateTotal, "");
  EXPECT_FALSE(Shown().txtNote.enabled);

  form.cmdDeleteEntry_Click();
  EXPECT_EQ(world.sound.played.size(), 1u);
  EXPECT_TRUE(Items().empty());

  // Yes, but there is nothing to delete: no "Done.", the window stays open.
  form.cmdDeleteLog_Click();
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].text, "This will delete the current log file.  Are you sure?");
  EXPECT_EQ(world.boxes.shown[0].title, "Horavia");
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Question);
  EXPECT_FALSE(form.Closed());

  form.cmdExit_Click();
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(world.files.files.count(log), 0u);
  EXPECT_EQ(world.sound.played.size(), 3u);
}

TEST_F(ChronoLogWindowTest, EmptyFileAndHeaderOnlyAreLeftAsTheyAre) {
  world.files.files[log] = "";
  Open().Form_Unload();
  EXPECT_TRUE(Items().empty());
  EXPECT_EQ(world.files.files.at(log), "");

  world.files.files[log] = std::string(kHeader) + "\r\n";
  LogWindowModel& form = Open();
  EXPECT_TRUE(Items().empty());
  EXPECT_FALSE(Shown().txtNote.enabled);
  form.txtNote_Change("ignored without an entry");
  form.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log), std::string(kHeader) + "\r\n");
}

TEST_F(ChronoLogWindowTest, OpensOnTheNewestEntryWithItsTimesNoteAndTheTotals) {
  world.files.files[log] = Lines({kHeader, a, b, c});
  LogWindowModel& form = Open();
  EXPECT_EQ(Items(), (std::vector<std::string>{"Monday, May 4, 2026 - 09:00:00 AM",
                                               "Tuesday, May 5, 2026 - 01:30:00 PM",
                                               "Friday, June 5, 2026 - 11:59:59 PM"}));
  EXPECT_EQ(Shown().cboLogDateTime.listIndex, 2);
  EXPECT_EQ(Shown().txtNote.text, "third");
  EXPECT_TRUE(Shown().txtNote.enabled);
  EXPECT_EQ(Shown().lblDateAir, "02:00:00");
  EXPECT_EQ(Shown().lblDateGround, "00:00:00");
  EXPECT_EQ(Shown().lblDateTotal, "02:00:00");
  EXPECT_EQ(Shown().lblTotalAir, "03:01:00");
  EXPECT_EQ(Shown().lblTotalGround, "00:10:30");
  EXPECT_EQ(Shown().lblTotalTotal, "03:11:30");

  form.cboLogDateTime_Click(1);
  EXPECT_EQ(Shown().txtNote.text, "") << "an entry without a note empties the box";
  EXPECT_EQ(Shown().lblDateTotal, "00:01:30");
  EXPECT_TRUE(Shown().txtNote.enabled);

  // Only browsing: the file is not rewritten at all.
  form.cmdExit_Click();
  EXPECT_FALSE(Rewritten());
}

TEST_F(ChronoLogWindowTest, ANoteEditReachesTheFileAfterTheNinthTabWithTabsAndBreaksAsSpaces) {
  world.files.files[log] = Lines({kHeader, a, b, c});
  LogWindowModel& form = Open();
  form.cboLogDateTime_Click(0);
  EXPECT_EQ(Shown().txtNote.text, "first");
  form.txtNote_Change("firs");
  form.txtNote_Change("Ferry flight, EGLL to LFPG");
  form.cboLogDateTime_Click(1);
  form.txtNote_Change("left\tright\r\nnext\nend");
  EXPECT_EQ(Shown().txtNote.text, "left right  next end");
  form.cmdExit_Click();
  EXPECT_EQ(
      world.files.files.at(log),
      Lines({kHeader,
             Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "Ferry flight, EGLL to LFPG"),
             Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30, "left right  next end"), c}));

  Open().cboLogDateTime_Click(0);
  EXPECT_EQ(Shown().txtNote.text, "Ferry flight, EGLL to LFPG");
}

TEST_F(ChronoLogWindowTest, MarkingTogglesExactlyAndLeavesTheTotalsAlone) {
  world.files.files[log] = Lines({kHeader, a, b, c});
  LogWindowModel& form = Open();
  form.cboLogDateTime_Click(1);
  const std::string plain = Items()[1];

  form.cmdDeleteEntry_Click();
  EXPECT_EQ(Items()[1], "x  " + plain);
  EXPECT_EQ(Shown().cboLogDateTime.listIndex, 1);
  EXPECT_TRUE(form.TakeListFocusRequest());
  EXPECT_FALSE(form.TakeListFocusRequest());
  EXPECT_EQ(Shown().lblTotalTotal, "03:11:30");
  EXPECT_EQ(Shown().lblDateTotal, "00:01:30");

  form.cmdDeleteEntry_Click();
  EXPECT_EQ(Items()[1], plain);
  EXPECT_EQ(world.sound.played.size(), 2u);
  form.cmdExit_Click();
  EXPECT_FALSE(Rewritten()) << "unmarked again: nothing to write";
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a, b, c}));
}

TEST_F(ChronoLogWindowTest, AMarkedEntryCanStillBeShownAndEditedAndIsDroppedOnClosing) {
  world.files.files[log] = Lines({kHeader, a, b, c});
  LogWindowModel& form = Open();
  form.cboLogDateTime_Click(0);
  form.cmdDeleteEntry_Click();
  form.cboLogDateTime_Click(2);
  form.cboLogDateTime_Click(0);
  EXPECT_EQ(Items()[0], "x  Monday, May 4, 2026 - 09:00:00 AM");
  EXPECT_EQ(Shown().lblDateAir, "01:00:00");
  EXPECT_EQ(Shown().txtNote.text, "first");
  form.txtNote_Change("edited, then dropped");
  form.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, b, c}));

  LogWindowModel& again = Open();
  for (int k = 0; k < 2; ++k) {
    again.cboLogDateTime_Click(k);
    again.cmdDeleteEntry_Click();
  }
  again.Form_Unload();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader}));
}

TEST_F(ChronoLogWindowTest, ShortEntryLinesAreListedWithWhatTheyHold) {
  const std::string fiveTabs = "Sat\tx\t10:00:00 AM\tF\t100\t";
  const std::string sixTabs = "Sun\tx\t11:00:00 AM\tF\t200\tG\t77";
  const std::string sevenTabs = "Mon\tx\t12:00:00 PM\tF\t300\tG\t40\tT";
  const std::string eightTabs = "Tue\tx\t01:00:00 PM\tF\t400\tG\t50\tT\t450";
  world.files.files[log] = Lines({kHeader, fiveTabs, sixTabs, sevenTabs, eightTabs});
  LogWindowModel& form = Open();
  ASSERT_EQ(Items().size(), 4u);
  EXPECT_EQ(Items()[1], "Sun - 11:00:00 AM");
  EXPECT_EQ(Shown().lblTotalAir, "00:16:40");
  EXPECT_EQ(Shown().lblTotalGround, "00:01:30") << "ground counts only where a TAB follows it";

  form.cboLogDateTime_Click(1);
  EXPECT_EQ(Shown().lblDateAir, "00:03:20");
  EXPECT_EQ(Shown().lblDateGround, "00:00:00");
  EXPECT_EQ(Shown().txtNote.text, "");
  form.cboLogDateTime_Click(2);
  EXPECT_EQ(Shown().lblDateGround, "00:00:40");
  EXPECT_EQ(Shown().txtNote.text, "");

  // A note on a line without a note column keeps the line's own text; it
  // goes after TABs that make nine, and emptying the box restores the line.
  // Those TABs must not turn the text after the six-TAB line's last TAB
  // into its ground seconds.
  form.txtNote_Change("n");
  form.txtNote_Change("");
  form.cboLogDateTime_Click(3);
  form.txtNote_Change("late note");
  form.cboLogDateTime_Click(1);
  form.txtNote_Change("Sunday");
  EXPECT_EQ(Shown().lblDateGround, "00:00:00");
  form.cboLogDateTime_Click(3);
  EXPECT_EQ(Shown().txtNote.text, "late note");
  form.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, fiveTabs, "Sun\tx\t11:00:00 AM\tF\t200\tG\t\t77\t\tSunday", sevenTabs,
                   eightTabs + "\tlate note"}));
  LogWindowModel& again = Open();
  EXPECT_EQ(Shown().lblTotalAir, "00:16:40");
  EXPECT_EQ(Shown().lblTotalGround, "00:01:30");
  again.cboLogDateTime_Click(1);
  EXPECT_EQ(Shown().lblDateGround, "00:00:00");
  EXPECT_EQ(Shown().txtNote.text, "Sunday");
}

TEST_F(ChronoLogWindowTest, OtherLinesStayInPlaceAndEachItemActsOnItsOwnLine) {
  const std::string junk = "copied from an old notebook";
  const std::string fewTabs = "a\tb\tc\td";
  world.files.files[log] = Lines({kHeader, a, "", junk, fewTabs, "", b, c});
  LogWindowModel& form = Open();
  ASSERT_EQ(Items().size(), 3u);
  EXPECT_EQ(Items()[1], "Tuesday, May 5, 2026 - 01:30:00 PM");
  EXPECT_EQ(Shown().lblTotalAir, "03:01:00");

  form.cboLogDateTime_Click(1);
  EXPECT_EQ(Shown().lblDateAir, "00:01:00");
  form.cmdDeleteEntry_Click();
  form.cboLogDateTime_Click(2);
  form.txtNote_Change("last one");
  form.cmdExit_Click();
  // An empty line does not end the write-back.
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, a, "", junk, fewTabs, "",
                   Entry("Friday, June 5, 2026", "11:59:59 PM", 7200, 0, "last one")}));
}

TEST_F(ChronoLogWindowTest, BareLineFeedsAndNumbersThatAreNotNumbers) {
  const std::string odd = "Wed\tx\t08:00:00 AM\tF\tabc\tG\t 90 \tT\t90\t";
  const std::string huge = "Thu\tx\t09:00:00 AM\tF\t99999999999\tG\t-30\tT\t0\t";
  world.files.files[log] = std::string(kHeader) + "\n" + a + "\n" + odd + "\r\n" + huge;
  LogWindowModel& form = Open();
  ASSERT_EQ(Items().size(), 3u);
  EXPECT_EQ(Shown().lblDateAir, "00:00:00") << "beyond 32 bits counts as 0";
  EXPECT_EQ(Shown().lblDateGround, "-00:00:30");
  form.cboLogDateTime_Click(1);
  EXPECT_EQ(Shown().lblDateAir, "00:00:00");
  EXPECT_EQ(Shown().lblDateGround, "00:01:30");
  EXPECT_EQ(Shown().lblTotalAir, "01:00:00");
  EXPECT_EQ(Shown().lblTotalGround, "00:11:00");
  form.txtNote_Change("odd");
  form.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a, odd + "odd", huge}));
}

TEST_F(ChronoLogWindowTest, AnsiTextIsShownInUtf8AndUntouchedLinesKeepTheirBytes) {
  // 0xE9 is "é" in the ANSI code page (Latin-1 in the fakes).
  const std::string french = Entry("lundi 1 f\xE9vrier 2027", "12:05:09 AM", 10, 20, "caf\xE9");
  const std::string junk = "\xE9t\xE9 \xFF";
  world.files.files[log] = Lines({kHeader, junk, french, a});
  LogWindowModel& form = Open();
  EXPECT_EQ(Items()[0], "lundi 1 f\xC3\xA9vrier 2027 - 12:05:09 AM");
  form.cboLogDateTime_Click(0);
  EXPECT_EQ(Shown().txtNote.text, "caf\xC3\xA9");
  form.cboLogDateTime_Click(1);
  form.txtNote_Change("cr\xC3\xA8me");
  form.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, junk, french,
                   Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "cr\xE8me")}));
}

TEST_F(ChronoLogWindowTest, ALongLogOpensWhole) {
  std::vector<std::string> lines{kHeader};
  for (int i = 0; i < 100000; ++i) lines.push_back(Entry("Day " + std::to_string(i), "t", 1, 2));
  world.files.files[log] = Lines(lines);
  LogWindowModel& form = Open();
  ASSERT_EQ(Items().size(), 100000u);
  EXPECT_EQ(Shown().cboLogDateTime.listIndex, 99999);
  EXPECT_EQ(Shown().lblTotalTotal, "83:20:00");
  form.txtNote_Change("newest");
  form.cboLogDateTime_Click(0);
  form.cmdDeleteEntry_Click();
  form.cmdExit_Click();
  lines.erase(lines.begin() + 1);
  lines.back() += "newest";
  EXPECT_EQ(world.files.files.at(log), Lines(lines));
}

TEST_F(ChronoLogWindowTest, AnEntryAppendedWhileOpenSurvivesTheClose) {
  world.files.files[log] = Lines({kHeader, a, b});
  LogWindowModel& form = Open();
  form.cboLogDateTime_Click(0);
  form.cmdDeleteEntry_Click();
  // A hot-key switch-OFF under the window appends an entry.
  ASSERT_TRUE(world.files.Append(log, c + "\r\n"));
  form.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, b, c}));
  EXPECT_TRUE(world.boxes.shown.empty());
}

// Windows ends the session with the window open: the user's notes and marks
// reach the file, after which the main window appends its own entry; where
// the file cannot be written nothing is shown and nothing changes.
TEST_F(ChronoLogWindowTest, TheEndOfTheSessionWritesTheCopyBackWithoutABox) {
  world.files.files[log] = Lines({kHeader, a, b});
  LogWindowModel& form = Open();
  form.txtNote_Change("landed");
  form.cboLogDateTime_Click(0);
  form.cmdDeleteEntry_Click();
  ASSERT_TRUE(world.files.Append(log, c + "\r\n"));
  form.EndSession();
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30, "landed"), c}));

  LogWindowModel& held = Open();
  held.txtNote_Change("lost with the session");
  world.files.locked.insert(log);
  held.EndSession();
  world.files.locked.clear();
  EXPECT_TRUE(held.Closed());
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30, "landed"), c}));
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(ChronoLogWindowTest, ALogRewrittenElsewhereWhileOpenIsNotOverwritten) {
  world.files.files[log] = Lines({kHeader, a, b});
  LogWindowModel& form = Open();
  form.txtNote_Change("mine");
  world.files.files[log] = Lines({kHeader, b});
  form.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, b}));
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Warning);
  EXPECT_EQ(world.boxes.shown[0].title, "Horavia");

  // Deleted meanwhile: the window's copy is written as a new file.
  world.files.files[log] = Lines({kHeader, a});
  LogWindowModel& again = Open();
  again.txtNote_Change("kept");
  world.files.files.erase(log);
  again.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log),
            Lines({kHeader, Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "kept")}));
}

TEST_F(ChronoLogWindowTest, ClearLogAsksAndDeletesOnlyOnYes) {
  world.files.files[log] = Lines({kHeader, a});
  LogWindowModel& form = Open();
  form.txtNote_Change("pending");
  world.boxes.answers = {BoxAnswer::No};
  form.cmdDeleteLog_Click();
  EXPECT_FALSE(form.Closed());
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a}));
  ASSERT_EQ(world.boxes.shown.size(), 1u);

  world.boxes.answers = {BoxAnswer::Yes};
  form.cmdDeleteLog_Click();
  EXPECT_EQ(world.files.files.count(log), 0u);
  ASSERT_EQ(world.boxes.shown.size(), 3u);
  EXPECT_EQ(world.boxes.shown[2].text, "Done.");
  EXPECT_EQ(world.boxes.shown[2].kind, BoxKind::Information);
  EXPECT_EQ(world.boxes.shown[2].title, "Horavia");
  EXPECT_TRUE(form.Closed());
  form.Form_Unload();
  EXPECT_EQ(world.files.files.count(log), 0u) << "closing after Clear Log writes nothing";
  EXPECT_EQ(world.sound.played.size(), 2u);
}

TEST_F(ChronoLogWindowTest, AFileThatCannotBeReadWrittenOrDeletedLosesNothing) {
  world.files.files[log] = Lines({kHeader, a, b});
  world.files.locked.insert(log);
  LogWindowModel& unreadable = Open();
  ASSERT_EQ(world.boxes.shown.size(), 1u);
  EXPECT_EQ(world.boxes.shown[0].kind, BoxKind::Warning);
  EXPECT_NE(world.boxes.shown[0].text.find(log), std::string::npos);
  EXPECT_TRUE(Items().empty());
  world.files.locked.clear();
  unreadable.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a, b}));

  world.files.readOnly.insert(log);
  LogWindowModel& readOnly = Open();
  readOnly.cmdDeleteEntry_Click();
  world.boxes.answers = {BoxAnswer::Yes};
  readOnly.cmdDeleteLog_Click();
  EXPECT_FALSE(readOnly.Closed());
  ASSERT_EQ(world.boxes.shown.size(), 3u);
  EXPECT_EQ(world.boxes.shown[2].kind, BoxKind::Warning) << "not deleted, and no \"Done.\"";
  readOnly.cmdExit_Click();
  ASSERT_EQ(world.boxes.shown.size(), 4u);
  EXPECT_EQ(world.boxes.shown[3].kind, BoxKind::Warning);
  EXPECT_EQ(world.files.files.at(log), Lines({kHeader, a, b}));

  // A note that cannot be put in the code page is a failed write, not an
  // erased note: the file keeps every byte and the user is told.
  world.files.readOnly.clear();
  LogWindowModel& accents = Open();
  world.regional.failConversions = true;
  accents.txtNote_Change("caf\xC3\xA9");
  accents.cmdDeleteEntry_Click();
  accents.cmdExit_Click();
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
  tooLarge.cmdExit_Click();
  EXPECT_EQ(world.files.files.at(log).size(), hugeSize);
}

}  // namespace
}  // namespace horavia
