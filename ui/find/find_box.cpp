#include "ui/find/find_box.h"

#include "ui/find/find_history.h"

#include <QComboBox>

#include <string>
#include <vector>

namespace vek {

QString TakeFindBoxText(QComboBox& box, int capacity) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(box.count()));
    for (int i = 0; i < box.count(); ++i)
        items.push_back(box.itemText(i).toStdString());
    const FindHistoryStep step = StepFindHistory(items, box.currentText().toStdString(), capacity);
    const QString text = QString::fromStdString(step.searchText);
    if (step.dropOldest)
        box.removeItem(box.count() - 1);
    if (step.insertAtTop)
        box.insertItem(0, text);
    // Inserting into an empty box would make the new item current; the edit field keeps the
    // searched text either way.
    if (step.insertAtTop || step.showFirstItem)
        box.setEditText(text);
    return text;
}

} // namespace vek
