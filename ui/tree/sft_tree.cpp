#include "ui/tree/sft_tree.h"

#include "ui/host/text_conversion.h"
#include "ui/tree/branch_style.h"
#include "ui/tree/tree_model.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vek {

namespace {

bool IsEditStartCharacter(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

} // namespace

CSftTree::CSftTree(const ItemImages& images, QWidget* parent)
    : QTreeView(parent), rows_(new TreeModel(images, this)) {
    setObjectName(QStringLiteral("CSftTree"));
    rows_->SetFonts(QApplication::font(), QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setModel(rows_);
    // Every row has the same height, so that Qt lays out a large tree without asking each row.
    setUniformRowHeights(true);
    // Rows open and close only through the owner (notification ToggleRow), which keeps its
    // counts and the items' images in step.
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setAnimated(false);
    setIndentation(kIndentation);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    lineColour_ = palette().color(QPalette::Mid);
    setStyle(&BranchStyle::Shared());
}

CSftTree::~CSftTree() = default;

int CSftTree::InsertRow(std::string_view text, int, int) {
    const int row = rows_->AppendRow(text);
    structureChanged_ = true;
    if (redraw_)
        Refresh();
    return row;
}

void CSftTree::SetRowLevel(int row, int level) {
    if (!rows_->IsRow(row))
        return;
    rows_->At(row).level = level;
    structureChanged_ = true;
    if (redraw_)
        Refresh();
}

void CSftTree::SetCellText(int row, TreeColumn column, std::string_view text) {
    const auto c = static_cast<std::size_t>(column);
    if (!rows_->IsRow(row) || c >= kTreeColumnCount)
        return;
    rows_->At(row).cells[c].Assign(text);
    if (column == TreeColumn::Data)
        rows_->NoteReadChange(row);
    ScheduleRepaint();
}

int CSftTree::NextChangedRow(int after) const {
    return rows_->NextChangedRow(after);
}

void CSftTree::SetRowImage(int row, int image) {
    if (!rows_->IsRow(row))
        return;
    rows_->At(row).image = image;
    ScheduleRepaint();
}

void CSftTree::SetRowItem(int row, CLineItem* item) {
    if (rows_->IsRow(row))
        rows_->At(row).item = item;
}

std::string CSftTree::GetCellText(int row, TreeColumn column) const {
    const auto c = static_cast<std::size_t>(column);
    if (!rows_->IsRow(row) || c >= kTreeColumnCount)
        return {};
    return std::string(rows_->At(row).cells[c].View());
}

int CSftTree::GetCellImage(int row) const {
    return rows_->IsRow(row) ? rows_->At(row).cellImage : TreeModel::kNoImage;
}

void CSftTree::SetCellImage(int row, int image) {
    if (!rows_->IsRow(row))
        return;
    rows_->At(row).cellImage = image;
    ScheduleRepaint();
}

int CSftTree::GetRowCount() const {
    return rows_->RowCount();
}

CLineItem* CSftTree::GetRowItem(int row) const {
    return rows_->IsRow(row) ? rows_->At(row).item : nullptr;
}

int CSftTree::GetCaretRow() const {
    return TreeModel::RowOf(currentIndex());
}

int CSftTree::GetSelectedRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() && selectionModel()->isSelected(current) ? TreeModel::RowOf(current)
                                                                      : -1;
}

void CSftTree::SelectRow(int row) {
    if (!rows_->IsRow(row))
        return;
    if (rows_->At(row).filtered) {
        SetFilter(QString());
        Q_EMIT FilterReset();
    }
    selectionModel()->setCurrentIndex(rows_->IndexOf(row), QItemSelectionModel::ClearAndSelect |
                                                               QItemSelectionModel::Rows);
}

void CSftTree::ShowRow(int row) {
    if (rows_->IsRow(row))
        scrollTo(rows_->IndexOf(row));
}

bool CSftTree::IsRowExpanded(int row) const {
    return rows_->IsRow(row) && rows_->At(row).expanded;
}

void CSftTree::ExpandRow(int row) {
    SetExpanded(row, true);
}

void CSftTree::CollapseRow(int row) {
    SetExpanded(row, false);
}

void CSftTree::SetExpanded(int row, bool expanded) {
    if (!rows_->IsRow(row) || rows_->At(row).expanded == expanded)
        return;
    rows_->At(row).expanded = expanded;
    if (redraw_)
        setExpanded(rows_->IndexOf(row), expanded);
    else
        expansionChanged_ = true;
}

int CSftTree::GetChildCount(int row) const {
    return rows_->IsRow(row) ? rows_->ChildCount(row) : 0;
}

int CSftTree::GetParentRow(int row) const {
    return rows_->ParentRow(row);
}

bool CSftTree::IsRowVisible(int row) const {
    if (!rows_->IsRow(row) || rows_->At(row).filtered)
        return false;
    for (int p = rows_->ParentRow(row); p >= 0; p = rows_->ParentRow(p)) {
        if (!rows_->At(p).expanded || rows_->At(p).filtered)
            return false;
    }
    return true;
}

std::vector<int> CSftTree::RowsInView() const {
    std::vector<int> rows;
    const int bottom = viewport()->height();
    for (QModelIndex index = indexAt(QPoint(0, 0));
         index.isValid() && visualRect(index).top() < bottom; index = indexBelow(index)) {
        rows.push_back(TreeModel::RowOf(index));
    }
    return rows;
}

std::optional<QRect> CSftTree::GetCellRect(int row, TreeColumn column) const {
    if (!IsRowVisible(row))
        return std::nullopt;
    const QRect rect = visualRect(rows_->IndexOf(row, static_cast<int>(column)));
    if (!rect.isValid())
        return std::nullopt;
    return rect;
}

CSftTree::Colours CSftTree::GetColours() const {
    const QPalette& p = palette();
    return {p.color(QPalette::Base), p.color(QPalette::Text), lineColour_,
            p.color(QPalette::Highlight), p.color(QPalette::HighlightedText)};
}

void CSftTree::SetColours(const Colours& colours) {
    QPalette p = palette();
    // The selection keeps its colours while another window has the focus.
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Base, colours[0]);
        p.setColor(group, QPalette::Text, colours[1]);
        p.setColor(group, QPalette::Highlight, colours[3]);
        p.setColor(group, QPalette::HighlightedText, colours[4]);
    }
    lineColour_ = colours[2];
    setPalette(p);
}

void CSftTree::SetRedraw(bool on) {
    if (on == redraw_)
        return;
    redraw_ = on;
    setUpdatesEnabled(on);
    if (!on)
        return;
    if (structureChanged_)
        Refresh();
    else if (expansionChanged_)
        SyncExpansion();
    viewport()->update();
}

void CSftTree::ReserveRows(int count) {
    rows_->Reserve(count);
}

void CSftTree::DeleteAllRows() {
    rows_->Clear();
    structureChanged_ = false;
    expansionChanged_ = false;
    viewport()->update();
}

void CSftTree::Refresh() {
    const int caret = GetCaretRow();
    const bool selected = GetSelectedRow() == caret;
    rows_->Publish();
    structureChanged_ = false;
    SyncExpansion();
    if (rows_->IsRow(caret) && !rows_->At(caret).filtered) {
        selectionModel()->setCurrentIndex(rows_->IndexOf(caret),
                                          selected ? QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows
                                                   : QItemSelectionModel::NoUpdate);
    }
}

void CSftTree::SyncExpansion() {
    expansionChanged_ = false;
    int parents = 0;
    int expanded = 0;
    for (int r = 0; r < rows_->RowCount(); ++r) {
        if (rows_->ChildCount(r) == 0)
            continue;
        ++parents;
        expanded += rows_->At(r).expanded ? 1 : 0;
    }
    // Qt expands or collapses everything in one pass; a mixed state goes row by row.
    if (expanded == parents && parents > 0) {
        expandAll();
        return;
    }
    if (expanded == 0) {
        collapseAll();
        return;
    }
    for (int r = 0; r < rows_->RowCount(); ++r) {
        if (rows_->ChildCount(r) == 0)
            continue;
        const QModelIndex index = rows_->IndexOf(r);
        if (isExpanded(index) != rows_->At(r).expanded)
            setExpanded(index, rows_->At(r).expanded);
    }
}

void CSftTree::ScheduleRepaint() {
    if (!redraw_ || repaintPending_)
        return;
    repaintPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            repaintPending_ = false;
            viewport()->update();
        },
        Qt::QueuedConnection);
}

std::vector<int> CSftTree::SetFilter(const QString& text) {
    filter_ = text;
    std::vector<int> matches;
    const int count = rows_->RowCount();
    std::vector<char> keep(static_cast<std::size_t>(count), text.isEmpty() ? 1 : 0);
    if (!text.isEmpty()) {
        // Rows come in tree order, so walking backwards meets every row before its parent.
        for (int r = count - 1; r >= 0; --r) {
            const auto i = static_cast<std::size_t>(r);
            if (ToQString(rows_->At(r).cells[0].View()).contains(text, Qt::CaseInsensitive)) {
                keep[i] = 1;
                matches.push_back(r);
            }
            if (keep[i] && rows_->ParentRow(r) >= 0)
                keep[static_cast<std::size_t>(rows_->ParentRow(r))] = 1;
        }
        std::reverse(matches.begin(), matches.end());
    }
    bool changed = false;
    for (int r = 0; r < count; ++r) {
        const bool filtered = keep[static_cast<std::size_t>(r)] == 0;
        changed = changed || rows_->At(r).filtered != filtered;
        rows_->At(r).filtered = filtered;
    }
    if (changed) {
        structureChanged_ = true;
        if (redraw_)
            Refresh();
    }
    return matches;
}

void CSftTree::drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const {
    if (selectionModel()->isSelected(index))
        painter->fillRect(rect, palette().brush(QPalette::Highlight));
    QTreeView::drawBranches(painter, rect, index);
}

bool CSftTree::OnNodeSymbol(const QModelIndex& index, const QPoint& pos) const {
    const QModelIndex first = index.siblingAtColumn(0);
    if (!model()->hasChildren(first))
        return false;
    const QRect rect = visualRect(first);
    return pos.x() < rect.left() && pos.x() >= rect.left() - indentation();
}

void CSftTree::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (index.isValid())
        clickedColumn_ = index.column();
    if (index.isValid() && event->button() == Qt::MiddleButton) {
        SelectRow(TreeModel::RowOf(index));
        Q_EMIT Notify(TreeNotification::ToggleBookmark);
        return;
    }
    if (index.isValid() && event->button() == Qt::LeftButton && OnNodeSymbol(index, pos)) {
        SelectRow(TreeModel::RowOf(index));
        Q_EMIT Notify(TreeNotification::ToggleRow);
        return;
    }
    QTreeView::mousePressEvent(event);
}

void CSftTree::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || event->button() != Qt::LeftButton) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    clickedColumn_ = index.column();
    SelectRow(TreeModel::RowOf(index));
    Q_EMIT Notify(OnNodeSymbol(index, pos) ? TreeNotification::ToggleRow
                                           : TreeNotification::RowActionMouse);
}

void CSftTree::keyPressEvent(QKeyEvent* event) {
    const int caret = GetCaretRow();
    const bool parent = GetChildCount(caret) > 0;
    const bool expanded = IsRowExpanded(caret);
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT Notify(TreeNotification::RowActionKey);
        return;
    case Qt::Key_Left:
    case Qt::Key_Minus:
        if (parent && expanded) {
            Q_EMIT Notify(TreeNotification::ToggleRow);
            return;
        }
        break;
    case Qt::Key_Right:
    case Qt::Key_Plus:
        if (parent && !expanded) {
            Q_EMIT Notify(TreeNotification::ToggleRow);
            return;
        }
        break;
    case Qt::Key_Asterisk:
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && IsEditStartCharacter(text[0]) &&
        (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier) {
        Q_EMIT CharTyped(text[0]);
        return;
    }
    QTreeView::keyPressEvent(event);
}

} // namespace vek
