#include "ui/tree/tree_cell_edit.h"

#include "model/var_item.h"
#include "ui/host/text_conversion.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/tree_item_rules.h"
#include "ui/tree/tree_model.h"

#include <QHeaderView>
#include <QScrollBar>

namespace vek {

TreeCellEdit::TreeCellEdit(CSftTree& tree, std::function<void(CVarItem&)> write)
    : tree_(tree), write_(std::move(write)) {
    connect(tree_.verticalScrollBar(), &QScrollBar::valueChanged, this, &TreeCellEdit::Place);
    connect(tree_.horizontalScrollBar(), &QScrollBar::valueChanged, this, &TreeCellEdit::Place);
    connect(tree_.header(), &QHeaderView::sectionResized, this, &TreeCellEdit::Place);
    connect(tree_.selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (item_ != nullptr && tree_.GetRowItem(tree_.GetCaretRow()) != item_)
            Close();
    });
}

TreeCellEdit::~TreeCellEdit() {
    // An item whose tree goes away is no longer being edited.
    if (item_ != nullptr)
        item_->RemoveFlags(ItemFlag::Editing);
}

void TreeCellEdit::Start(std::optional<QChar> first) {
    const int row = tree_.GetCaretRow();
    if (!tree_.GetCellRect(row, TreeColumn::Data))
        return;
    tree_.scrollTo(tree_.Model().IndexOf(row, static_cast<int>(TreeColumn::Data)));
    const std::optional<QRect> cell = tree_.GetCellRect(row, TreeColumn::Data);
    CVarItem* item = AsValueItem(tree_.GetRowItem(row));
    if (!cell || item == nullptr || !IsEditable(*item))
        return;
    item_ = item;
    item->AddFlags(ItemFlag::Editing);
    tree_.SetEditMode(CSftTree::EditMode::Editing);
    editor_ = new CValueEdit(tree_.viewport());
    editor_->setFont(tree_.Model().ValueFont());
    editor_->setGeometry(*cell);
    const ValueFormat format{item->GetRadix(), ValueBits(*item), item->HasFlags(ItemFlag::Signed)};
    if (first) {
        editor_->OpenWithCharacter(format, *first);
    } else {
        // Placeholders of a value not yet known are not a value to edit.
        const bool known =
            item->HasFlags(ItemFlag::ValueShown) || item->GetKind() == ItemKind::Variable;
        editor_->Open(format,
                      known ? ToQString(tree_.GetCellText(row, TreeColumn::Data)) : QString());
    }
    connect(editor_, &CValueEdit::Committed, this, &TreeCellEdit::OnCommitted);
    connect(editor_, &CValueEdit::Cancelled, this, &TreeCellEdit::Close);
    editor_->show();
    editor_->setFocus();
}

void TreeCellEdit::OnCommitted(uint32_t value) {
    CVarItem* item = item_;
    Close();
    if (item == nullptr)
        return;
    // One write, with the item's write macros.
    item->DepositValue(value);
    write_(*item);
}

void TreeCellEdit::Close() {
    if (editor_ == nullptr)
        return;
    const bool hadFocus = editor_->hasFocus();
    if (item_ != nullptr)
        item_->RemoveFlags(ItemFlag::Editing);
    item_ = nullptr;
    // The editor may be closing from within its own key handling.
    editor_->hide();
    editor_->deleteLater();
    editor_ = nullptr;
    tree_.SetEditMode(CSftTree::EditMode::Browse);
    if (hadFocus)
        tree_.setFocus();
}

void TreeCellEdit::Place() {
    if (editor_ == nullptr || item_ == nullptr)
        return;
    const std::optional<QRect> cell = tree_.GetCellRect(item_->GetNode(), TreeColumn::Data);
    if (cell)
        editor_->setGeometry(*cell);
    else
        Close();
}

} // namespace vek
