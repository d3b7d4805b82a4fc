// The ChronoLog: entries appended by the writer, and the log window that
// browses, annotates and trims the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "chronolog/log_writer.h"
#include "fakes/fake_platform.h"
#include "windows/log_window_model.h"

namespace horavia {
namespace {

constexpr const char* kHeader =
    "Date\tDate (YYYY/MM/DD)\tTime\tElapsed Flight\tElapsed Flight (Seconds)\tElapsed Ground\t"
    "Elapsed Ground (Seconds)\tElapsed Total\tElapsed Total (Seconds)\tNotes";
constexpr const char* kEntry =
    "Saturday, December 5, 2026\t2026/12/05\t01:45:21 PM\t00:02:03\t123\t00:10:00\t600\t00:12:03\t723\t\r\n";

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

// The log, the entries the writer appends to it, and a window opened on it.
class ChronoLogTest : public ::testing::Test {
 public:
  fakes::FakeWorld world;
  std::string log = world.PathOf("\\Horavia.log");
  LogEntry entry{ClockParts{13, 45, 21, 12, 5, 2026}, 123, 600};  // written as kEntry
  const std::string a = Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "first");
  const std::string b = Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30);
  const std::string c = Entry("Friday, June 5, 2026", "11:59:59 PM", 7200, 0, "third");

  ChronoLogTest() { world.files.files[world.PathOf("\\sound_button.wav")] = "RIFF"; }

  bool Write(const std::vector<LogEntry>& all) { return AppendLogEntries(all, world.platform); }

  // Opens a window on the log as it is now.
  LogWindowModel& Open(const std::string& text) {
    world.files.files[log] = text;
    return Open();
  }
  LogWindowModel& Open() {
    model_ = std::make_unique<LogWindowModel>(world.platform);
    model_->Open();
    return *model_;
  }
  const LogWindowControls& Shown() const { return model_->Controls(); }
  const std::vector<std::string>& Items() const { return Shown().entryList.items; }
  std::string File() const { return world.files.files.contains(log) ? world.files.files.at(log) : "(none)"; }
  // Closes the window with its Exit button; the log as it is then.
  std::string FileAfterExit() {
    model_->Exit();
    return File();
  }
  bool Rewritten() const { return std::ranges::count(world.journal, "replace " + log) > 0; }
  std::vector<BoxKind> Boxes() const {
    std::vector<BoxKind> kinds;
    std::ranges::transform(world.boxes.shown, std::back_inserter(kinds), &fakes::FakeMessageBoxes::Shown::kind);
    return kinds;
  }
  // The selected entry's flight, ground and total, then the log's.
  std::string Times() const {
    const LogWindowControls& s = Shown();
    return s.entryFlight + " " + s.entryGround + " " + s.entryTotal + " | " + s.totalFlight + " " +
           s.totalGround + " " + s.totalTotal;
  }

 private:
  std::unique_ptr<LogWindowModel> model_;
};

// A write that fails (a held file, a text the code page cannot take) is in the
// pending entries' tests of the main window, with what the user is told.
TEST_F(ChronoLogTest, TheFirstWriteCreatesTheFileWithItsHeaderAndLaterOnesAppend) {
  EXPECT_TRUE(Write({}));
  EXPECT_TRUE(world.journal.empty()) << "nothing to write";
  EXPECT_TRUE(Write({entry}));
  EXPECT_EQ(File(), std::string(kHeader) + "\r\n" + kEntry);
  world.journal.clear();
  EXPECT_TRUE(Write({{ClockParts{12, 0, 0, 1, 1, 2027}, 61, 0},
                     {ClockParts{23, 59, 59, 1, 1, 2027}, 0, 62}}));
  EXPECT_EQ(world.journal, std::vector<std::string>{"append " + log}) << "in one write";
  const std::string text = File();
  const size_t noon = text.find("\t12:00:00 PM\t"), late = text.find("\t11:59:59 PM\t");
  EXPECT_TRUE(text.find("Date\t", 1) == std::string::npos && noon < late &&
              late != std::string::npos);

  world.files.files[log] = "";
  Write({entry});
  EXPECT_EQ(File(), kEntry) << "an empty file gets no header";
  // A hand-edited file whose last line has no line end keeps that line whole.
  world.files.files[log] = "Header\r\nlast line";
  Write({entry});
  EXPECT_EQ(File(), std::string("Header\r\nlast line\r\n") + kEntry);
}

TEST_F(ChronoLogTest, OtherRegionalSettingsAndTheAnsiCodePage) {
  world.regional.UseStyle(fakes::FakeRegional::Style::Other);
  Write({{ClockParts{0, 5, 9, 2, 1, 2027}, 0, 600}});  // just after midnight
  EXPECT_EQ(File(), std::string(kHeader) + "\r\nd\xED" "a 1.2.2027\t2027-02-01\t12.05.09 AM\t"
                    "00:00:00\t0\t00:10:00\t600\t00:10:00\t600\t\r\n");
}

// One flight is described in full in the held log's box of the main window's tests.
TEST_F(ChronoLogTest, ManyEntriesAreDescribedByTheFirstFiveAndACount) {
  const std::string many = DescribeEntries(std::vector<LogEntry>(7, entry), world.regional);
  EXPECT_EQ(many.rfind("7 flights, Saturday, December 5, 2026 01:45:21 PM (", 0), 0u);
  EXPECT_TRUE(many.ends_with("); and 2 more")) << many;
}

TEST_F(ChronoLogTest, WithoutEntriesTheWindowIsEmptyAndWritesNothing) {
  LogWindowModel& none = Open();
  EXPECT_TRUE(Times() == "   |   " && !Shown().note.enabled);
  none.ToggleDeletionMark();
  none.ClearLog();  // Yes, but nothing to delete: no "Done.", the window stays open
  EXPECT_TRUE(Boxes() == std::vector<BoxKind>{BoxKind::Question} && !none.Closed());
  EXPECT_EQ(FileAfterExit(), "(none)");
  LogWindowModel& empty = Open(std::string(kHeader) + "\r\n");
  empty.EditNote("ignored without an entry");
  EXPECT_EQ(FileAfterExit(), std::string(kHeader) + "\r\n");
  EXPECT_EQ(world.sound.played.size(), 4u);
}

TEST_F(ChronoLogTest, OpensOnTheNewestEntryAndANoteEditReachesTheFileAfterTheNinthTab) {
  LogWindowModel& model = Open(Lines({kHeader, a, b, c}));
  EXPECT_EQ(Items(), (std::vector<std::string>{"Monday, May 4, 2026 - 09:00:00 AM",
                                               "Tuesday, May 5, 2026 - 01:30:00 PM",
                                               "Friday, June 5, 2026 - 11:59:59 PM"}));
  EXPECT_EQ(Shown().entryList.listIndex, 2);
  EXPECT_TRUE(Shown().note.enabled && Shown().note.text == "third");
  EXPECT_EQ(Times(), "02:00:00 00:00:00 02:00:00 | 03:01:00 00:10:30 03:11:30");
  model.SelectEntry(1);
  EXPECT_EQ(Shown().note.text, "") << "an entry without a note empties the box";
  EXPECT_EQ(Times(), "00:01:00 00:00:30 00:01:30 | 03:01:00 00:10:30 03:11:30");
  model.Exit();
  EXPECT_FALSE(Rewritten()) << "only browsing: the file is not rewritten";

  LogWindowModel& edit = Open();
  edit.SelectEntry(0);
  edit.EditNote("firs");
  edit.EditNote("Ferry flight, EGLL to LFPG");
  edit.SelectEntry(1);
  edit.EditNote("left\tright\r\nnext\nend");
  EXPECT_EQ(Shown().note.text, "left right  next end");
  edit.Exit();
  EXPECT_EQ(File(), Lines({kHeader, Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "Ferry flight, EGLL to LFPG"),
                           Entry("Tuesday, May 5, 2026", "01:30:00 PM", 60, 30, "left right  next end"), c}));
}

TEST_F(ChronoLogTest, MarksToggleLeaveTheTotalsAloneAndDropTheirLinesOnClosing) {
  LogWindowModel& model = Open(Lines({kHeader, a, b, c}));
  model.SelectEntry(1);
  model.ToggleDeletionMark();
  EXPECT_EQ(Items()[1], "x  Tuesday, May 5, 2026 - 01:30:00 PM");
  EXPECT_TRUE(model.TakeListFocusRequest() && Shown().totalTotal == "03:11:30");
  model.ToggleDeletionMark();
  EXPECT_EQ(Items()[1], "Tuesday, May 5, 2026 - 01:30:00 PM") << "unmarked";
  model.Exit();
  EXPECT_FALSE(Rewritten()) << "unmarked again: nothing to write";
  LogWindowModel& drop = Open();
  drop.SelectEntry(0);
  drop.ToggleDeletionMark();
  drop.SelectEntry(2);
  drop.SelectEntry(0);
  EXPECT_EQ(Shown().entryFlight + " " + Shown().note.text, "01:00:00 first") << "a marked entry is still shown";
  drop.EditNote("edited, then dropped");
  EXPECT_EQ(FileAfterExit(), Lines({kHeader, b, c}));
}

TEST_F(ChronoLogTest, ShortEntryLinesAreListedWithWhatTheyHold) {
  const std::string fiveTabs = "Sat\tx\t10:00:00 AM\tF\t100\t";
  const std::string sixTabs = "Sun\tx\t11:00:00 AM\tF\t200\tG\t77";
  const std::string sevenTabs = "Mon\tx\t12:00:00 PM\tF\t300\tG\t40\tT";
  const std::string eightTabs = "Tue\tx\t01:00:00 PM\tF\t400\tG\t50\tT\t450";
  LogWindowModel& model = Open(Lines({kHeader, fiveTabs, sixTabs, sevenTabs, eightTabs}));
  EXPECT_EQ(Items().at(1), "Sun - 11:00:00 AM");
  model.SelectEntry(1);  // ground counts only where a TAB follows it
  EXPECT_EQ(Times() + Shown().note.text, "00:03:20 00:00:00 00:03:20 | 00:16:40 00:01:30 00:18:10");
  // A note on a line without a note column keeps the line's own text; it
  // goes after TABs that make nine, and emptying the box restores the line.
  // Those TABs must not turn the six-TAB line's last text into its ground.
  model.EditNote("n");
  model.EditNote("");
  model.SelectEntry(3);
  model.EditNote("late note");
  model.SelectEntry(1);
  model.EditNote("Sunday");
  model.SelectEntry(3);
  EXPECT_EQ(Shown().note.text, "late note");
  model.Exit();
  EXPECT_EQ(File(), Lines({kHeader, fiveTabs, "Sun\tx\t11:00:00 AM\tF\t200\tG\t\t77\t\tSunday", sevenTabs,
                           eightTabs + "\tlate note"}));
}

TEST_F(ChronoLogTest, OtherLinesBareLineFeedsAndOddNumbersStayInPlace) {
  const std::string junk = "copied from an old notebook";
  const std::string odd = "Wed\tx\t08:00:00 AM\tF\tabc\tG\t 90 \tT\t90\t";
  const std::string huge = "Thu\tx\t09:00:00 AM\tF\t99999999999\tG\t-30\tT\t0\t";
  LogWindowModel& model =
      Open(std::string(kHeader) + "\n" + a + "\n\r\n" + junk + "\r\na\tb\tc\n" + odd + "\r\n" + huge);
  EXPECT_EQ(Items().at(1) + ", " + std::to_string(Items().size()) + " items", "Wed - 08:00:00 AM, 3 items");
  // Beyond 32 bits counts as 0, and so does what is no number.
  EXPECT_EQ(Times(), "00:00:00 -00:00:30 -00:00:30 | 01:00:00 00:11:00 01:11:00");
  model.SelectEntry(1);
  EXPECT_EQ(Times(), "00:00:00 00:01:30 00:01:30 | 01:00:00 00:11:00 01:11:00");
  model.EditNote("odd");
  model.SelectEntry(2);
  model.ToggleDeletionMark();
  EXPECT_EQ(FileAfterExit(), Lines({kHeader, a, "", junk, "a\tb\tc", odd + "odd"}));
}

// A switch-OFF appends an entry while the window is open; closing keeps it,
// whether or not the log's last line had its line end (the writer ends
// that line, and the window must not end it a second time).
TEST_F(ChronoLogTest, AnEntryAppendedWhileOpenSurvivesTheClose) {
  for (const std::string& before : {Lines({kHeader, a, b}), std::string(kHeader) + "\r\n" + a + "\r\n" + b,
                                    std::string(kHeader) + "\n" + a + "\n" + b + "\n"}) {
    LogWindowModel& model = Open(before);
    model.SelectEntry(0);
    model.ToggleDeletionMark();
    model.SelectEntry(1);
    model.EditNote("new note");
    ASSERT_TRUE(Write({entry}));
    EXPECT_EQ(FileAfterExit(), Lines({kHeader, b + "new note"}) + kEntry);
  }
  EXPECT_TRUE(world.boxes.shown.empty());
}

TEST_F(ChronoLogTest, ALogRewrittenElsewhereIsNotOverwrittenAndADeletedOneIsWrittenAnew) {
  LogWindowModel& model = Open(Lines({kHeader, a, b}));
  model.EditNote("mine");
  // Longer than what was read, but it does not begin with it: no entries were appended.
  world.files.files[log] = Lines({kHeader, c, a});
  EXPECT_EQ(FileAfterExit(), Lines({kHeader, c, a}));
  EXPECT_EQ(Boxes(), std::vector<BoxKind>{BoxKind::Warning});
  LogWindowModel& again = Open(Lines({kHeader, a}));
  again.EditNote("kept");
  world.files.files.erase(log);
  again.Exit();
  EXPECT_EQ(File(), Lines({kHeader, Entry("Monday, May 4, 2026", "09:00:00 AM", 3600, 600, "kept")}));
}

TEST_F(ChronoLogTest, ClearLogAsksAndDeletesOnlyOnYes) {
  LogWindowModel& model = Open(Lines({kHeader, a}));
  model.EditNote("pending");
  world.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
  model.ClearLog();
  EXPECT_FALSE(model.Closed());
  model.ClearLog();
  EXPECT_EQ(Boxes(), (std::vector{BoxKind::Question, BoxKind::Question, BoxKind::Information}));
  EXPECT_EQ(world.boxes.shown[2].text, "Done.");
  EXPECT_TRUE(model.Closed());
  model.Close();
  EXPECT_EQ(File(), "(none)") << "closing after Clear Log writes nothing";
}

TEST_F(ChronoLogTest, AFileThatCannotBeReadWrittenOrDeletedLosesNothing) {
  const std::string text = Lines({kHeader, a, b});
  world.files.locked.insert(log);
  LogWindowModel& unreadable = Open(text);
  EXPECT_TRUE(Items().empty());
  world.files.locked.clear();
  unreadable.Exit();
  world.files.readOnly.insert(log);
  LogWindowModel& readOnly = Open();
  readOnly.ToggleDeletionMark();
  world.boxes.answers = {BoxAnswer::Yes};
  readOnly.ClearLog();
  EXPECT_FALSE(readOnly.Closed()) << "not deleted, and no \"Done.\"";
  readOnly.Exit();
  EXPECT_EQ(Boxes(), (std::vector{BoxKind::Warning, BoxKind::Question, BoxKind::Warning, BoxKind::Warning}));
  // A note that cannot be put in the code page is a failed write, not an
  // erased note: the file keeps every byte and the user is told.
  world.files.readOnly.clear();
  LogWindowModel& accents = Open();
  world.regional.failConversions = true;
  accents.EditNote("caf\xC3\xA9");
  accents.Exit();
  EXPECT_NE(world.boxes.shown.at(4).text.find("code page"), std::string::npos);
  EXPECT_EQ(File(), text);
  // A file far beyond any flight log is refused, not read into the window.
  world.regional.failConversions = false;
  world.files.files[log].append(LogWindowModel::kLargestLogBytes, '\n');
  const size_t hugeSize = File().size();
  Open().Exit();
  EXPECT_NE(world.boxes.shown.at(5).text.find("too large for the log window"), std::string::npos);
  EXPECT_EQ(File().size(), hugeSize);
}

}  // namespace
}  // namespace horavia
