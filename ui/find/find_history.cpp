#include "ui/find/find_history.h"

#include <algorithm>

namespace vek {

FindHistoryStep StepFindHistory(std::span<const std::string> items, std::string_view editText,
                                int capacity) {
    FindHistoryStep step;
    if (editText.empty()) {
        if (!items.empty()) {
            step.searchText = items.front();
            step.showFirstItem = true;
        }
        return step;
    }
    step.searchText = editText;
    if (std::find(items.begin(), items.end(), editText) == items.end()) {
        step.insertAtTop = true;
        step.dropOldest = static_cast<int>(items.size()) >= capacity;
    }
    return step;
}

} // namespace vek
