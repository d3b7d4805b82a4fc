#include "windows/log_window_model.h"

#include <algorithm>
#include <new>
#include <optional>
#include <utility>

#include "chronolog/log_columns.h"
#include "chronolog/log_format.h"
#include "settings/settings_store.h"
#include "windows/sounds.h"
#include "base/time_text.h"

namespace horavia {
namespace {

constexpr const char* kClearQuestion = "This will delete the current log file.  Are you sure?";
constexpr const char* kDone = "Done.";
constexpr const char* kMarkPrefix = "x  ";
constexpr size_t kMarkPrefixSize = 3;

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The file has no escaping: a TAB would start a new column and a line break
// a new line, so a typed or pasted note keeps neither.
std::string CleanNote(std::string_view text) {
  std::string note(text);
  std::replace_if(
      note.begin(), note.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return note;
}

// What goes before a note on a line that has no note column of its own:
// the line's own text and TABs that make nine (or one more after a line
// that already has more). Those TABs turn the text after the line's last
// TAB into a column; where that column would be read as a number (flight
// or ground seconds), an empty one goes before it, so that the entry's
// times and the log's totals read the same as before the note.
std::string BeforeNoteOnShortLine(std::string_view asRead) {
  const LogColumns columns(asRead);
  std::string line(asRead);
  int tabs = columns.Tabs();
  const int nextColumn = tabs + 1;
  if (!columns.AfterLastTab().empty() && (nextColumn == 5 || nextColumn == 7)) {
    line.insert(columns.AfterLastTabAt(), 1, '\t');
    ++tabs;
  }
  line.append(static_cast<size_t>(tabs < LogColumns::kNoteTabs ? LogColumns::kNoteTabs - tabs : 1),
              '\t');
  return line;
}

// An entry line with a new note (already in the file's code page), always
// built from the line as read. With nine TABs the note replaces the text
// after the ninth. Any other line keeps all of its own text, and an empty
// note gives the line back as it was read, so emptying the box can never
// erase what the line held.
std::string LineWithNote(std::string_view asRead, std::string_view note) {
  const LogColumns columns(asRead);
  if (columns.Tabs() == LogColumns::kNoteTabs) {
    std::string line(asRead.substr(0, columns.AfterLastTabAt()));
    line += note;
    return line;
  }
  if (note.empty()) return std::string(asRead);
  return BeforeNoteOnShortLine(asRead) + std::string(note);
}

// The note an entry line holds now, in the file's code page.
std::string_view NoteOfLine(std::string_view asRead, std::string_view current) {
  const LogColumns read(asRead);
  if (read.Tabs() == LogColumns::kNoteTabs) return LogColumns(current).AfterLastTab();
  if (current.size() <= asRead.size()) return {};
  return current.substr(std::min(BeforeNoteOnShortLine(asRead).size(), current.size()));
}

}  // namespace

LogWindowModel::LogWindowModel(Platform& os) : os_(os), boxes_(&os.boxes) {}

void LogWindowModel::UseMessageBoxes(MessageBoxes* boxes) {
  boxes_ = boxes != nullptr ? boxes : &os_.boxes;
}

std::string LogWindowModel::LogPath() const { return os_.programFolder + kLogFileName; }

std::string LogWindowModel::Shown(std::string_view ansi) {
  return IsAscii(ansi) ? std::string(ansi) : os_.regional.FromAnsi(ansi);
}

std::optional<std::string> LogWindowModel::Stored(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  return os_.regional.ToAnsi(utf8);
}

void LogWindowModel::Warn(const std::string& text) {
  if (!silent_) boxes_->Show(text, kProgramTitle, BoxKind::Warning);
}

bool LogWindowModel::TakeListFocusRequest() { return std::exchange(controls_.focusToList, false); }

void LogWindowModel::Open() {
  controls_ = LogWindowControls{};
  logCopy_.Clear();
  itemLines_.clear();

  const std::string path = LogPath();
  if (!os_.files.IsRegularFile(path)) return;
  std::optional<std::string> bytes = os_.files.ReadAll(path);
  if (!bytes) {
    // The copy stays empty, and an empty copy is never written back.
    Warn("Could not read " + path + " file.  The log is not shown and is left as it is.");
    return;
  }
  // A log of that size is no flight log (a century of flying is a few
  // megabytes): its copy, index and list would take the memory the
  // simulator needs. It is refused, and left as it is.
  const std::string tooLarge = "The " + path +
                               " file is too large for the log window (it shows logs of up to " +
                               std::to_string(kLargestLogBytes >> 20) +
                               " MB).  The log is not shown and is left as it is.";
  if (bytes->size() > kLargestLogBytes) {
    Warn(tooLarge);
    return;
  }
  try {
    logCopy_.Load(std::move(*bytes));
    ListEntries();
  } catch (const std::bad_alloc&) {
    // Not enough memory for this log: an empty copy is never written back.
    controls_ = LogWindowControls{};
    logCopy_.Clear();
    std::vector<size_t>().swap(itemLines_);
    Warn(tooLarge);
  }
}

void LogWindowModel::ListEntries() {
  // Line 0 is the header. Every later line with the entry columns is listed;
  // any other line is kept in its place but gets no item.
  std::vector<std::string>& items = controls_.entryList.items;
  items.reserve(logCopy_.LineCount());
  itemLines_.reserve(logCopy_.LineCount());
  int64_t flightSum = 0;
  int64_t groundSum = 0;
  for (size_t n = 1; n < logCopy_.LineCount(); ++n) {
    const LogColumns columns(logCopy_.LineAsRead(n));
    if (!columns.IsEntry()) continue;
    items.push_back(Shown(*columns.Column(1)) + " - " + Shown(*columns.Column(3)));
    itemLines_.push_back(n);
    flightSum += SecondsOf(columns.Column(5));
    groundSum += SecondsOf(columns.Column(7));
  }
  if (items.empty()) return;

  controls_.totalFlight = SecondsToText(ClampSeconds(flightSum));
  controls_.totalGround = SecondsToText(ClampSeconds(groundSum));
  controls_.totalTotal = SecondsToText(ClampSeconds(flightSum + groundSum));
  SelectEntry(static_cast<int>(items.size()) - 1);
  controls_.note.enabled = true;
}

// Filling the note box changes no line: the note shown is the line's own.
void LogWindowModel::SelectEntry(int listIndex) {
  if (listIndex < 0 || static_cast<size_t>(listIndex) >= itemLines_.size()) return;
  controls_.entryList.listIndex = listIndex;
  const size_t n = itemLines_[static_cast<size_t>(listIndex)];

  // The seconds come from the line as read, so that the TABs a note may
  // have added to a short line never turn its last text into a column.
  const std::string_view asRead = logCopy_.LineAsRead(n);
  const LogColumns columns(asRead);
  const int32_t flight = SecondsOf(columns.Column(5));
  const int32_t ground = SecondsOf(columns.Column(7));
  controls_.note.text = Shown(NoteOfLine(asRead, logCopy_.Line(n)));
  controls_.entryFlight = SecondsToText(flight);
  controls_.entryGround = SecondsToText(ground);
  controls_.entryTotal = SecondsToText(ClampSeconds(int64_t{flight} + ground));
}

void LogWindowModel::EditNote(std::string_view text) {
  const int k = controls_.entryList.listIndex;
  if (k < 0 || static_cast<size_t>(k) >= itemLines_.size()) return;
  controls_.note.text = CleanNote(text);
  const size_t n = itemLines_[static_cast<size_t>(k)];
  const std::optional<std::string> note = Stored(controls_.note.text);
  if (!note) {
    // The note cannot be put in the file's code page; writing the log back
    // without it would lose it without a word.
    noteNotStored_ = true;
    return;
  }
  logCopy_.SetLine(n, LineWithNote(logCopy_.LineAsRead(n), *note));
}

void LogWindowModel::ToggleDeletionMark() {
  PlayWav(os_, kSoundButton);
  const int k = controls_.entryList.listIndex;
  if (k < 0 || static_cast<size_t>(k) >= itemLines_.size()) return;
  const size_t n = itemLines_[static_cast<size_t>(k)];
  std::string& item = controls_.entryList.items[static_cast<size_t>(k)];
  if (!logCopy_.Marked(n)) {
    logCopy_.SetMarked(n, true);
    item.insert(0, kMarkPrefix);
  } else {
    logCopy_.SetMarked(n, false);
    item.erase(0, kMarkPrefixSize);
  }
  controls_.focusToList = true;
}

void LogWindowModel::ClearLog() {
  PlayWav(os_, kSoundButton);
  if (boxes_->Show(kClearQuestion, kProgramTitle, BoxKind::Question) != BoxAnswer::Yes) return;
  const std::string path = LogPath();
  if (!os_.files.IsRegularFile(path)) return;
  if (!os_.files.Remove(path)) {
    Warn("Could not delete " + path + " file.  The log is left as it is.");
    return;
  }
  // Nothing is left to write back.
  logCopy_.Clear();
  noteNotStored_ = false;
  boxes_->Show(kDone, kProgramTitle, BoxKind::Information);
  Close();
}

void LogWindowModel::Exit() {
  PlayWav(os_, kSoundButton);
  Close();
}

void LogWindowModel::EndSession() {
  silent_ = true;
  Close();
}

void LogWindowModel::Close() {
  if (closed_) return;
  closed_ = true;
  // The list is not shown any more; its texts go before the new file text
  // is made, so that a long log is not held twice over.
  std::vector<std::string>().swap(controls_.entryList.items);
  std::vector<size_t>().swap(itemLines_);
  // Nothing read (no file, an empty one, one that could not be read, or a
  // cleared log) or nothing changed: the file stays exactly as it is.
  if (noteNotStored_) {
    Warn("Could not write " + LogPath() +
         " file: a note could not be put in the system's code page.  Your changes to the log "
         "were not saved; the file is left as it is.");
    return;
  }
  if (logCopy_.LineCount() == 0 || !logCopy_.Changed()) return;
  WriteBack();
}

// The main window's timers run while this window is open, so a switch-OFF
// may have appended entries to the file since it was read. They are kept
// after the window's own lines. A file changed in any other way was not
// changed by this program; it is left alone rather than overwritten.
void LogWindowModel::WriteBack() {
  const std::string path = LogPath();
  const std::string notSaved =
      "  Your changes to the log were not saved; the file is left as it is.";
  std::string appended;
  if (os_.files.IsRegularFile(path)) {
    // Held only for the comparison, so that a long log is not in memory
    // three times while its new text is made.
    std::optional<std::string> now = os_.files.ReadAll(path);
    if (!now) {
      Warn("Could not read " + path + " file." + notSaved);
      return;
    }
    const std::string& read = logCopy_.BytesRead();
    if (now->size() < read.size() || now->compare(0, read.size(), read) != 0) {
      Warn("The " + path + " file was changed by another program while the log was open." +
           notSaved);
      return;
    }
    appended = now->substr(read.size());
    // The entry writer ends an unfinished last line before its entry; the
    // copy ends every line itself, and a second line end would leave an
    // empty line in the log.
    if (!read.empty() && read.back() != '\n') {
      if (appended.rfind("\r\n", 0) == 0) {
        appended.erase(0, 2);
      } else if (appended.rfind('\n', 0) == 0) {
        appended.erase(0, 1);
      }
    }
  }
  if (!os_.files.ReplaceAll(path, logCopy_.ToBytes(appended))) {
    Warn("Could not write " + path + " file." + notSaved);
  }
}

}  // namespace horavia
