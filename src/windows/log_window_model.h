#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "windows/log_window_controls.h"
#include "chronolog/log_copy.h"
#include "ports/platform.h"

namespace horavia {

// The ChronoLog window's logic. It reads the whole log when it opens, keeps
// note edits and deletion marks in its own copy, and writes the copy back
// when it closes. Built fresh at every opening. The renderer forwards each
// control event to its method, mirrors Controls() after each, and ends the
// window once Closed() is true.
//
// The log stays whole whatever happens: lines that are not entries are kept
// where they are, entries appended meanwhile by a switch-OFF survive the
// write-back, and a file that cannot be read, written or deleted is left as
// it is, with a message box.
class LogWindowModel {
 public:
  // The largest log the window opens.
  static constexpr size_t kLargestLogBytes = size_t{64} << 20;

  explicit LogWindowModel(Platform& os);
  LogWindowModel(const LogWindowModel&) = delete;
  LogWindowModel& operator=(const LogWindowModel&) = delete;

  // Reads the log and lists its entries, the newest selected.
  void Open();
  // An item of the list became selected.
  void SelectEntry(int listIndex);
  // The note box's whole text after a change by the user.
  void EditNote(std::string_view text);
  // "Delete Entry": marks the selected entry for deletion, or unmarks it.
  void ToggleDeletionMark();
  // "Clear Log": deletes the log file once the user said Yes, and closes.
  void ClearLog();
  // "Exit", also Enter and Esc: closes with the button sound.
  void Exit();
  // The window closes, whichever way; runs once, later calls do nothing.
  void Close();
  // The window closes because Windows ends the session: the copy is written
  // back as at any closing (the write-back replaces the file in one step and
  // keeps what a switch-OFF appended), but nothing is shown, since a box
  // would hold Windows up. What cannot be written is left as it is on disk.
  void EndSession();

  // Message boxes go here instead of the platform's, so that the renderer
  // can make the window their owner; nullptr goes back to the platform's.
  void UseMessageBoxes(MessageBoxes* boxes);

  const LogWindowControls& Controls() const { return controls_; }
  bool Closed() const { return closed_; }
  // Whether the list should get the keyboard focus now; asking clears it.
  bool TakeListFocusRequest();

 private:
  std::string LogPath() const;
  // File text (ANSI) to the program's UTF-8 and back.
  std::string Shown(std::string_view ansi);
  std::optional<std::string> Stored(std::string_view utf8);
  void Warn(const std::string& text);
  // Fills the list and the totals from the copy.
  void ListEntries();
  // Writes the copy back over the file, keeping what was appended to the
  // file since it was read.
  void WriteBack();

  Platform& os_;
  MessageBoxes* boxes_;
  LogWindowControls controls_;
  LogCopy logCopy_;
  std::vector<size_t> itemLines_;  // the line each list item shows
  bool closed_ = false;
  bool noteNotStored_ = false;
  bool silent_ = false;
};

}  // namespace horavia
