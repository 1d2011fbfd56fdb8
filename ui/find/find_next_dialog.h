#pragma once

#include <QDialog>

namespace vek {

// The small modeless dialog shown after the Find dialog found a row: Find Next searches again
// from the find box (the view runs Find String), Set Bookmarks on All marks every match of the
// Find dialog's settings in the view that opened it, Cancel hides it.
class CFindNextDialog : public QDialog {
    Q_OBJECT

public:
    explicit CFindNextDialog(QWidget* parent = nullptr);

Q_SIGNALS:
    void FindNextRequested();
    void SetBookmarksRequested();
};

} // namespace vek
