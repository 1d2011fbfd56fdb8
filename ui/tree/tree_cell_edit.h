#pragma once

#include "ui/tree/value_edit.h"

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <optional>

namespace vek {

class CSftTree;
class CVarItem;

// The one cell editor of a register tree: a CValueEdit over the Data cell of the caret row. While
// it is open its item carries the being-edited flag and the tree is in edit mode. It follows its
// cell when the tree scrolls and ends when its row goes out of sight or another row becomes the
// caret row.
class TreeCellEdit : public QObject {
    Q_OBJECT

public:
    // `write` sends a committed item to its device.
    TreeCellEdit(CSftTree& tree, std::function<void(CVarItem&)> write);
    ~TreeCellEdit() override;

    CValueEdit* Editor() const { return editor_; }
    bool IsOpen() const { return editor_ != nullptr; }
    // Opens the editor on the caret row's value, empty or with a typed character; nothing for an
    // item that cannot be edited or a row that is not shown.
    void Start(std::optional<QChar> first);
    // Closes the editor (nothing is written) and gives the focus back to the tree if it had it.
    void Close();
    // Puts the editor over its cell again.
    void Place();

private:
    void OnCommitted(uint32_t value);

    CSftTree& tree_;
    std::function<void(CVarItem&)> write_;
    QPointer<CValueEdit> editor_;
    CVarItem* item_ = nullptr;
};

} // namespace vek
