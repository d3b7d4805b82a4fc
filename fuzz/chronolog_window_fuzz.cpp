// The ChronoLog window over any log file, driven by any sequence of what the
// user can do (select, type a note, mark, clear, exit, close) while another
// writer appends entries and the file now and then cannot be written or
// read. The rule checked, by bookkeeping of its own: no line the user did
// not mark is lost or changed, except the note the user typed for it.

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "windows/log_window_model.h"
#include "chronolog/log_format.h"
#include "fakes/fake_platform.h"
#include "fuzz_input.h"

namespace {

using horavia::BoxAnswer;
using horavia::BoxKind;
using horavia::fakes::FakeWorld;
using horavia::fuzz::FuzzInput;

// Lines end at LF, with one CR before it dropped; a last line without a
// line end counts.
std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < bytes.size()) {
    const size_t lf = bytes.find('\n', begin);
    if (lf == std::string_view::npos) {
      lines.emplace_back(bytes.substr(begin));
      break;
    }
    std::string_view line = bytes.substr(begin, lf - begin);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    begin = lf + 1;
  }
  return lines;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> parts;
  size_t begin = 0;
  for (;;) {
    const size_t tab = line.find('\t', begin);
    if (tab == std::string_view::npos) break;
    parts.push_back(line.substr(begin, tab - begin));
    begin = tab + 1;
  }
  parts.push_back(line.substr(begin));  // what follows the last TAB
  return parts;
}

size_t TabsOf(std::string_view line) { return SplitTabs(line).size() - 1; }

// The note box holds what the window gives it: well-formed UTF-8, so any
// malformed byte becomes U+FFFD here as the conversion from the control's
// text does.
std::string WellFormed(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t length = c < 0x80                 ? 1
                    : c >= 0xC2 && c <= 0xDF ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    bool ok = length != 0 && i + length <= s.size();
    for (size_t k = 1; ok && k < length; ++k) {
      const auto b = static_cast<unsigned char>(s[i + k]);
      ok = b >= 0x80 && b <= 0xBF;
    }
    if (ok && length > 2) {
      const auto second = static_cast<unsigned char>(s[i + 1]);
      ok = !(c == 0xE0 && second < 0xA0) && !(c == 0xED && second > 0x9F) &&
           !(c == 0xF0 && second < 0x90) && !(c == 0xF4 && second > 0x8F);
    }
    if (ok) {
      out.append(s.substr(i, length));
      i += length;
    } else {
      out.append("\xEF\xBF\xBD");
      ++i;
    }
  }
  return out;
}

std::string Cleaned(std::string note) {
  for (char& c : note) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return note;
}

struct Entry {
  size_t line = 0;
  bool marked = false;
  bool noteTyped = false;
  std::string note;  // as the file holds it (ANSI)
};

// What the window must have done, kept apart from the window's own copy.
struct Expected {
  std::string bytesRead;
  std::vector<std::string> lines;  // as read
  std::vector<Entry> entries;
  int selected = -1;

  const Entry* EntryOfLine(size_t n, size_t& from) const {
    while (from < entries.size() && entries[from].line < n) ++from;
    return from < entries.size() && entries[from].line == n ? &entries[from] : nullptr;
  }
  // A line with exactly nine TABs has its note after the ninth; any other
  // line keeps all of its text and a typed note goes after it.
  static bool NoteReplacesTail(std::string_view line) { return TabsOf(line) == 9; }
  static std::string_view Head(std::string_view line) {
    return line.substr(0, line.size() - SplitTabs(line).back().size());
  }
  static bool LineChanged(std::string_view asRead, const Entry& e) {
    if (!e.noteTyped) return false;
    if (NoteReplacesTail(asRead)) return std::string(Head(asRead)) + e.note != asRead;
    return !e.note.empty();
  }
  bool AnythingToWrite() const {
    for (const Entry& e : entries) {
      if (e.marked || LineChanged(lines[e.line], e)) return true;
    }
    return false;
  }
  // The note box after selecting entry k, in the program's UTF-8.
  std::string NoteShown(size_t k, FakeWorld& world) const {
    const Entry& e = entries[k];
    const std::string& asRead = lines[e.line];
    if (NoteReplacesTail(asRead)) {
      return world.regional.FromAnsi(e.noteTyped ? std::string_view(e.note)
                                                 : SplitTabs(asRead).back());
    }
    return e.noteTyped ? world.regional.FromAnsi(e.note) : std::string{};
  }
};

std::string WithoutTabs(std::string_view line) {
  std::string text;
  for (const char c : line) {
    if (c != '\t') text += c;
  }
  return text;
}

// Seconds column k as the window counts it: a whole number, blanks around it
// allowed, when a TAB follows the column; anything else counts as 0.
int64_t CountedSeconds(std::string_view line, size_t k) {
  const std::vector<std::string_view> fields = SplitTabs(line);
  if (fields.size() <= k) return 0;
  std::string_view text = fields[k - 1];
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc{} && end == text.data() + text.size() && !text.empty() ? value : 0;
}

// One written line against the line read and what the user did to it.
bool WrittenLineFits(std::string_view written, std::string_view asRead, const Entry* entry) {
  if (entry == nullptr || !entry->noteTyped) return written == asRead;
  if (Expected::NoteReplacesTail(asRead)) {
    return written == std::string(Expected::Head(asRead)) + entry->note;
  }
  // Any other line keeps all of its text, in order, up to its last TAB as it
  // was; TABs alone are added, then the note; and the seconds the window
  // counts read as they did before the note.
  if (entry->note.empty()) return written == asRead;
  if (written.size() <= asRead.size() + entry->note.size()) return false;
  if (!written.ends_with(entry->note)) return false;
  const std::string_view rest = written.substr(0, written.size() - entry->note.size());
  if (!rest.starts_with(Expected::Head(asRead)) || !rest.ends_with('\t')) return false;
  if (WithoutTabs(rest) != WithoutTabs(asRead)) return false;
  return CountedSeconds(written, 5) == CountedSeconds(asRead, 5) &&
         CountedSeconds(written, 7) == CountedSeconds(asRead, 7);
}

// The file after a write-back: every line not marked, in order, each ended
// by CR LF, then the lines appended while the window was open (`before`
// holds them after the lines read), as their bytes stood, and nothing else.
void CheckWrittenBack(const Expected& x, const std::string& file, const std::string& before) {
  const std::vector<std::string> linesBefore = SplitLines(before);
  FUZZ_CHECK(linesBefore.size() >= x.lines.size());
  FUZZ_CHECK(std::equal(x.lines.begin(), x.lines.end(), linesBefore.begin()));
  const std::string_view own = file;
  size_t begin = 0;
  size_t entryAt = 0;
  for (size_t n = 0; n < x.lines.size(); ++n) {
    const Entry* entry = x.EntryOfLine(n, entryAt);
    if (entry != nullptr && entry->marked) continue;
    const size_t lf = own.find('\n', begin);
    FUZZ_CHECK(lf != std::string_view::npos && lf > begin && own[lf - 1] == '\r');
    FUZZ_CHECK(WrittenLineFits(own.substr(begin, lf - 1 - begin), x.lines[n], entry));
    begin = lf + 1;
  }
  const std::string_view tail = own.substr(begin);
  FUZZ_CHECK(before.size() >= tail.size());
  FUZZ_CHECK(before.compare(before.size() - tail.size(), tail.size(), tail) == 0);
  FUZZ_CHECK(SplitLines(tail) ==
             std::vector<std::string>(linesBefore.begin() + static_cast<ptrdiff_t>(x.lines.size()),
                                      linesBefore.end()));
}

size_t WarningsShown(const FakeWorld& world) {
  size_t n = 0;
  for (const auto& box : world.boxes.shown) n += box.kind == BoxKind::Warning ? 1 : 0;
  return n;
}

std::optional<std::string> FileNow(const FakeWorld& world, const std::string& path) {
  const auto it = world.files.files.find(path);
  if (it == world.files.files.end()) return std::nullopt;
  return it->second;
}

// An entry's list text: date and time, behind "x  " while it is marked.
std::string ItemText(const Expected& x, size_t k, FakeWorld& world) {
  const std::vector<std::string_view> columns = SplitTabs(x.lines[x.entries[k].line]);
  return (x.entries[k].marked ? "x  " : "") + world.regional.FromAnsi(columns[0]) + " - " +
         world.regional.FromAnsi(columns[2]);
}

void CheckItems(const Expected& x, const horavia::LogWindowModel& model, FakeWorld& world) {
  const auto& list = model.Controls().entryList;
  FUZZ_CHECK(list.items.size() == x.entries.size());
  for (size_t k = 0; k < x.entries.size(); ++k) FUZZ_CHECK(list.items[k] == ItemText(x, k, world));
}

// Closes the window and checks what reached the file: nothing when nothing
// was read or nothing changed, nothing (and a word to the user) when the
// file cannot be written, else the write-back.
template <typename Close>
void CheckClosing(const Expected& x, FakeWorld& world, const std::string& path, Close close) {
  const std::optional<std::string> before = FileNow(world, path);
  const size_t warnings = WarningsShown(world);
  const bool blocked = world.files.locked.count(path) != 0 || world.files.readOnly.count(path) != 0;
  close();
  const std::optional<std::string> after = FileNow(world, path);
  if (x.lines.empty() || !x.AnythingToWrite()) {
    FUZZ_CHECK(after == before);
    FUZZ_CHECK(WarningsShown(world) == warnings);
  } else if (blocked) {
    FUZZ_CHECK(after == before);
    FUZZ_CHECK(WarningsShown(world) == warnings + 1);
  } else {
    FUZZ_CHECK(before.has_value() && after.has_value());
    CheckWrittenBack(x, *after, *before);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  const uint8_t flags = in.Byte();
  const std::string original = in.Text16();

  FakeWorld world;
  if ((flags & 4) != 0) world.regional.UseStyle(horavia::fakes::FakeRegional::Style::Other);
  const std::string path = world.PathOf(horavia::kLogFileName);
  const bool exists = (flags & 1) != 0;
  if (exists) world.files.files[path] = original;
  if ((flags & 2) != 0) world.files.locked.insert(path);

  horavia::LogWindowModel model(world.platform);
  model.Open();

  Expected x;
  const bool read = exists && (flags & 2) == 0;
  if (read) {
    x.bytesRead = original;
    x.lines = SplitLines(original);
  }
  FUZZ_CHECK(WarningsShown(world) == (exists && !read ? 1u : 0u));
  for (size_t n = 1; n < x.lines.size(); ++n) {
    if (TabsOf(x.lines[n]) >= 5) x.entries.push_back({n, false, false, {}});
  }
  x.selected = static_cast<int>(x.entries.size()) - 1;
  CheckItems(x, model, world);
  FUZZ_CHECK(model.Controls().entryList.listIndex == x.selected);
  FUZZ_CHECK(model.Controls().note.enabled == !x.entries.empty());
  if (x.selected >= 0) {
    FUZZ_CHECK(model.Controls().note.text == x.NoteShown(static_cast<size_t>(x.selected), world));
  }

  bool cleared = false;
  for (int step = 0; step < 64 && !in.Empty() && !model.Closed(); ++step) {
    switch (in.Byte() % 8) {
      case 0: {  // select an item (or, as no list can, a wrong index)
        const int k = static_cast<int>(in.Byte()) - 4;
        model.SelectEntry(k);
        const bool listed = k >= 0 && static_cast<size_t>(k) < x.entries.size();
        if (listed) x.selected = k;
        FUZZ_CHECK(model.Controls().entryList.listIndex == x.selected);
        if (listed) {
          FUZZ_CHECK(model.Controls().note.text ==
                     x.NoteShown(static_cast<size_t>(x.selected), world));
        }
        break;
      }
      case 1: {  // the note box's text changes
        const std::string typed = WellFormed(in.Text8());
        model.EditNote(typed);
        if (x.selected >= 0) {
          Entry& e = x.entries[static_cast<size_t>(x.selected)];
          e.noteTyped = true;
          e.note = world.regional.ToAnsi(Cleaned(typed)).value();
          FUZZ_CHECK(model.Controls().note.text == Cleaned(typed));
        }
        break;
      }
      case 2: {  // Delete Entry: marks, or unmarks, the selected entry
        model.ToggleDeletionMark();
        if (x.selected >= 0) {
          Entry& e = x.entries[static_cast<size_t>(x.selected)];
          e.marked = !e.marked;
          FUZZ_CHECK(model.Controls().entryList.items[static_cast<size_t>(x.selected)] ==
                     ItemText(x, static_cast<size_t>(x.selected), world));
        }
        break;
      }
      case 3: {  // Clear Log, answered Yes or No
        const bool yes = (in.Byte() & 1) != 0;
        const std::optional<std::string> before = FileNow(world, path);
        const bool removable =
            before && world.files.locked.count(path) == 0 && world.files.readOnly.count(path) == 0;
        const size_t warnings = WarningsShown(world);
        world.boxes.answers = {yes ? BoxAnswer::Yes : BoxAnswer::No};
        model.ClearLog();
        world.boxes.answers.clear();
        if (yes && removable) {
          FUZZ_CHECK(!FileNow(world, path));
          FUZZ_CHECK(model.Closed());
          cleared = true;
        } else {
          FUZZ_CHECK(FileNow(world, path) == before);
          FUZZ_CHECK(!model.Closed());
          FUZZ_CHECK(WarningsShown(world) == warnings + (yes && before && !removable ? 1 : 0));
        }
        break;
      }
      case 4:
        CheckClosing(x, world, path, [&] { model.Exit(); });
        FUZZ_CHECK(model.Closed());
        break;
      case 5:  // the close box
        CheckClosing(x, world, path, [&] { model.Close(); });
        FUZZ_CHECK(model.Closed());
        break;
      case 6: {  // a switch-OFF appends an entry meanwhile
        std::string line = in.Text8() + "\r\n";
        // As the entry writer does, after a last line without its line end.
        const std::optional<std::string> now = FileNow(world, path);
        if (now && !now->empty() && now->back() != '\n') line.insert(0, "\r\n");
        world.files.Append(path, line);
        break;
      }
      default: {  // another program takes or gives back the file
        world.files.readOnly.erase(path);
        world.files.locked.erase(path);
        const int how = in.Byte() % 3;
        if (how == 1) world.files.readOnly.insert(path);
        if (how == 2) world.files.locked.insert(path);
        break;
      }
    }
    if (model.Closed()) break;
  }

  if (!model.Closed()) CheckClosing(x, world, path, [&] { model.Close(); });
  const std::optional<std::string> closed = FileNow(world, path);
  model.Close();  // the renderer may call it again: it does nothing
  FUZZ_CHECK(FileNow(world, path) == closed);
  if (cleared) FUZZ_CHECK(!closed);
  return 0;
}
