#pragma once

#include <string>
#include <vector>

namespace horavia {

// The entry list: one item per entry of the log, in the file's order.
struct EntryListState {
  std::vector<std::string> items;
  int listIndex = -1;  // -1: nothing selected
};

struct NoteBoxState {
  std::string text;
  bool enabled = false;
};

// The visible state of the ChronoLog window's controls; the renderer
// mirrors it after every handler.
struct LogWindowControls {
  std::string caption = "Horavia ChronoLog";
  EntryListState cboLogDateTime;
  // The selected entry's times.
  std::string lblDateAir;
  std::string lblDateGround;
  std::string lblDateTotal;
  // The whole log's times, as read when the window opened.
  std::string lblTotalAir;
  std::string lblTotalGround;
  std::string lblTotalTotal;
  NoteBoxState txtNote;
  // Set when the keyboard focus should go (back) to the list; the renderer
  // takes the request with LogWindowModel::TakeListFocusRequest.
  bool focusToList = false;
};

}  // namespace horavia
