#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vek {

// What a search from the find box does with the box's history (the most recent first).
struct FindHistoryStep {
    std::string searchText;     // empty: nothing to search
    bool dropOldest = false;    // the history is full: its last item goes first
    bool insertAtTop = false;   // the edit text is new: it becomes item 0
    bool showFirstItem = false; // the edit text was empty: item 0 is searched and shown in it
};

// A new text goes to the top, pushing out the oldest of a full history; a text already listed
// keeps its place. An empty edit text searches the most recent item, or nothing with no history.
FindHistoryStep StepFindHistory(std::span<const std::string> items, std::string_view editText,
                                int capacity);

} // namespace vek
