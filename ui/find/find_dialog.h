#pragma once

#include "ui/find/find_matcher.h"

#include <QDialog>
#include <QMetaType>
#include <QString>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace vek {

// A search as the Find dialog sets it up.
struct FindRequest {
    QString text;
    FindOptions options;
};

// The Find dialog of a tree view: the text to find (its list is the find box's history), match
// whole word, match case and the direction. Its settings last as long as the view: each opening
// shows them again, and only Find Next and Set Bookmarks on All take them from the controls.
// Find Next with a text emits FindNextRequested; the view searches and calls CloseFound when a row
// was found (after "not found" the dialog stays open). Set Bookmarks on All and Cancel close it
// with their results.
class CFindDialog : public QDialog {
    Q_OBJECT

public:
    // The dialog's results, the ids of the buttons that end it.
    static constexpr int kCancelResult = 2;
    static constexpr int kFindNextResult = 2000;
    static constexpr int kSetBookmarksResult = 2008;

    explicit CFindDialog(QWidget* parent = nullptr);

    // Fills the text's list with the find box's items and its text with the box's edit text, and
    // the other controls with the settings; then the view runs the dialog (exec).
    void Prepare(const QStringList& findBoxItems, const QString& findBoxText);
    const FindRequest& Request() const { return request_; }
    void CloseFound() { done(kFindNextResult); }

    void reject() override { done(kCancelResult); }

Q_SIGNALS:
    void FindNextRequested(const vek::FindRequest& request);

private:
    void TakeControls();
    void FindNext();
    void SetBookmarks();

    FindRequest request_;
    QComboBox* findWhat_;
    QCheckBox* wholeWord_;
    QCheckBox* matchCase_;
    QRadioButton* up_;
    QRadioButton* down_;
};

} // namespace vek

Q_DECLARE_METATYPE(vek::FindRequest)
