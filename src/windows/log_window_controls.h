#pragma once

#include <string>
#include <string_view>
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
  EntryListState entryList;
  // The selected entry's times.
  std::string entryFlight;
  std::string entryGround;
  std::string entryTotal;
  // The whole log's times, as read when the window opened.
  std::string totalFlight;
  std::string totalGround;
  std::string totalTotal;
  // The fixed captions.
  std::string_view noteLabel = "Note:";
  NoteBoxState note;
  std::string_view deleteEntryButton = "&Delete Entry";
  std::string_view clearLogButton = "&Clear Log";
  std::string_view exitButton = "&Exit";
  // Set when the keyboard focus should go (back) to the list; the renderer
  // takes the request with LogWindowModel::TakeListFocusRequest.
  bool focusToList = false;
};

}  // namespace horavia
