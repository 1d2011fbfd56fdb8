#pragma once

namespace vek {

// Which registers a live refresh reads again, asked anew each round so that it follows the user.
enum class RefreshScope {
    Selected,   // the selected rows, a device or set with every row below it
    Bookmarked, // the bookmarked rows, with the rows below them
    Visible,    // the rows in the tree's view now
};

// What the user set for live refreshes, in every window alike.
struct LiveRefreshSettings {
    int interval = 1000; // ms between the starts of two rounds
    RefreshScope scope = RefreshScope::Selected;
};

} // namespace vek
