#pragma once

#include <QString>

class QComboBox;

namespace vek {

// Takes the text to search from the main toolbar's find box and keeps the box's history of at
// most `capacity` items (find_history.h). Returns an empty text when there is nothing to search.
QString TakeFindBoxText(QComboBox& box, int capacity);

} // namespace vek
