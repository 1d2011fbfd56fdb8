#include "ui/tree/tree_find.h"

#include "ui/commands/ui_strings.h"
#include "ui/find/find_box.h"
#include "ui/find/find_dialog.h"
#include "ui/find/find_next_dialog.h"
#include "ui/frame/vek_tool_bar.h"
#include "ui/host/text_conversion.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/tree_bookmarks.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>

namespace vek {

namespace {

// The rows as the matcher reads them: the Description cells.
class TreeRows : public FindRows {
public:
    explicit TreeRows(const CSftTree& tree) : tree_(tree) {}
    int RowCount() const override { return tree_.GetRowCount(); }
    std::string RowText(int row) const override {
        return tree_.GetCellText(row, TreeColumn::Description);
    }

private:
    const CSftTree& tree_;
};

} // namespace

TreeFind::TreeFind(CSftTree& tree, TreeBookmarks& bookmarks, QWidget& view, Services services)
    : tree_(tree), bookmarks_(bookmarks), view_(view), services_(std::move(services)),
      dialog_(new CFindDialog(&view)) {
    QObject::connect(dialog_, &CFindDialog::FindNextRequested, &view_,
                     [this](const FindRequest& request) {
                         options_ = request.options;
                         if (services_.findBox != nullptr)
                             services_.findBox->setEditText(request.text);
                         if (FindNextFromBox())
                             dialog_->CloseFound();
                     });
}

TreeFind::~TreeFind() {
    delete next_;
}

bool TreeFind::FindNextFromBox() {
    if (services_.findBox == nullptr)
        return false;
    const QString text = TakeFindBoxText(*services_.findBox, CVekToolBar::kFindHistorySize);
    if (text.isEmpty())
        return false;
    const TreeRows rows(tree_);
    const FindResult found = FindNextRow(rows, ToStdString(text), tree_.GetSelectedRow(), options_);
    if (found.wrapped)
        QApplication::beep();
    if (found.row >= 0) {
        services_.reveal(found.row, false);
        return true;
    }
    QMessageBox::information(&view_, QString::fromUtf8(UiString(UiStringId::AppTitle)),
                             ToQString(NotFoundText(ToStdString(text))));
    tree_.setFocus();
    return false;
}

void TreeFind::RunFindDialog() {
    QStringList items;
    QString text;
    if (QComboBox* box = services_.findBox) {
        for (int i = 0; i < box->count(); ++i)
            items.append(box->itemText(i));
        text = box->currentText();
    }
    dialog_->Prepare(items, text);
    switch (dialog_->exec()) {
    case CFindDialog::kFindNextResult:
        if (next_ == nullptr) {
            next_ = new CFindNextDialog(services_.mainWindow);
            QObject::connect(next_, &CFindNextDialog::FindNextRequested, &view_,
                             [this] { services_.findStringInActiveView(); });
            QObject::connect(next_, &CFindNextDialog::SetBookmarksRequested, &view_,
                             [this] { BookmarkAll(dialog_->Request().text); });
        }
        next_->show();
        break;
    case CFindDialog::kSetBookmarksResult:
        options_ = dialog_->Request().options;
        BookmarkAll(dialog_->Request().text);
        break;
    default:
        break;
    }
}

void TreeFind::BookmarkAll(const QString& text) {
    const TreeRows rows(tree_);
    for (int row : MatchingRows(rows, ToStdString(text), options_)) {
        if (CLineItem* item = tree_.GetRowItem(row))
            bookmarks_.Set(*item, true);
    }
    tree_.viewport()->update();
}

} // namespace vek
