#include "ui/tree/vek_tree_view.h"

#include "document/vek_doc.h"
#include "model/item_list.h"
#include "model/var_item.h"
#include "ui/commands/radix_command.h"
#include "ui/frame/led_status_bar.h"
#include "ui/host/text_conversion.h"
#include "ui/tree/refresh_rows.h"
#include "ui/tree/sft_tree.h"
#include "ui/tree/slider_bar.h"
#include "ui/tree/tree_item_rules.h"
#include "ui/tree/tree_model.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace vek {

namespace {

// The columns' first widths; the last column takes the rest.
constexpr int kDescriptionWidth = 240;
constexpr int kAddressWidth = 110;
constexpr int kDataWidth = 130;

const char* RadixWord(UpdateCode radix) {
    switch (radix) {
    case UpdateCode::Decimal:
        return "DEC";
    case UpdateCode::Binary:
        return "BIN";
    default:
        return "HEX";
    }
}

// The address as the row shows it, without its brackets.
std::string Unbracketed(std::string text) {
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']')
        return text.substr(1, text.size() - 2);
    return text;
}

} // namespace

CVekTreeView::CVekTreeView(CVekDoc& document, Services services, QWidget* parent)
    : QWidget(parent), document_(document), services_(std::move(services)),
      filter_(new QLineEdit(this)), tree_(new CSftTree(images_, this)),
      bookmarks_(*tree_, [this](int row) { RevealRow(row); }),
      edit_(*tree_, [this](CVarItem& item) { document_.WriteRegister(item); }),
      find_(*tree_, bookmarks_, *this,
            {services_.findBox, [this](int row, bool focus) { RevealRow(row, focus); },
             services_.findStringInActiveView, services_.mainWindow}),
      refresh_(document,
               {[this] { return RefreshRegisters(*tree_, services_.refreshSettings.scope); },
                [this] { return services_.refreshSettings.interval; },
                [this] { return services_.commandsBlocked(); },
                [this](const std::string& why) { document_.Context().host->Message(why, true); }},
               this) {
    setObjectName(QStringLiteral("CVekTreeView"));
    setWindowTitle(QStringLiteral("Register Tree"));
    filter_->setObjectName(QStringLiteral("TreeFilter"));
    filter_->setPlaceholderText(QStringLiteral("Filter rows"));
    filter_->setClearButtonEnabled(true);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(filter_);
    column->addWidget(tree_, 1);
    setFocusProxy(tree_);
    connect(tree_, &CSftTree::Notify, this, &CVekTreeView::OnNotify);
    connect(tree_, &CSftTree::FilterReset, filter_, [this] {
        const QSignalBlocker quiet(filter_);
        filter_->clear();
    });
    connect(filter_, &QLineEdit::textChanged, this, &CVekTreeView::ApplyFilter);
    connect(&services_.sliderBar, &CSliderBar::ItemMoved, this, [this](CVarItem* item) {
        if (tree_->IsRowVisible(item->GetNode())) {
            tree_->SelectRow(item->GetNode());
            tree_->ShowRow(item->GetNode());
        }
    });
    connect(tree_, &CSftTree::CharTyped, this, [this](QChar c) {
        if (!edit_.IsOpen())
            edit_.Start(c);
    });
    tree_->Model().SetToolTip([this](const CLineItem& item) { return ToolTipOf(item); });
    connect(&refresh_, &LiveRefresh::RoundFinished, this, &CVekTreeView::ShowRefreshRate);
    connect(&refresh_, &LiveRefresh::RunningChanged, this, &CVekTreeView::ShowRefreshRate);
}

CVekTreeView::~CVekTreeView() {
    DetachFromDocument();
}

void CVekTreeView::DetachFromDocument() {
    if (detached_)
        return;
    detached_ = true;
    refresh_.Stop();
    edit_.Close();
    if (const CItemList* items = document_.GetItems()) {
        for (CLineItem& item : *items)
            item.DetachFromTree();
    }
    tree_->DeleteAllRows();
}

void CVekTreeView::SetUpColumns() {
    tree_->setColumnWidth(0, kDescriptionWidth);
    tree_->setColumnWidth(1, kAddressWidth);
    FitDataColumn();
    tree_->header()->setStretchLastSection(true);
    CSftTree::Colours colours = tree_->GetColours();
    colours[0] = Qt::white;
    colours[1] = Qt::black;
    colours[3] = QColor(0, 0, 128);
    colours[4] = Qt::white;
    tree_->SetColours(colours);
}

void CVekTreeView::OnInitialUpdate() {
    if (built_)
        return;
    built_ = true;
    tree_->DeleteAllRows();
    SetUpColumns();
    const CItemList* items = document_.GetItems();
    if (items == nullptr)
        return;
    tree_->SetRedraw(false);
    // Every item below the top level gives one row.
    tree_->ReserveRows(static_cast<int>(std::count_if(
        items->begin(), items->end(), [](const CLineItem& item) { return item.GetLevel() > 0; })));
    for (CLineItem& item : *items) {
        if (item.GetLevel() > 0)
            item.InsertIntoTree(*tree_, -1, -1, 0);
    }
    int devices = 0;
    for (CLineItem& item : *items) {
        if (item.HasFlags(ItemFlag::Slider)) {
            if (CVarItem* value = AsValueItem(&item))
                services_.sliderBar.AddSliderItem(*value);
        }
        devices += item.GetKind() == ItemKind::Device ? 1 : 0;
    }
    hideableRows_ = tree_->GetRowCount() - devices;
    shownRows_ = 0;
    tree_->SetRedraw(true);
    if (tree_->GetRowCount() > 0)
        tree_->SelectRow(0);
}

CLineItem* CVekTreeView::SelectedItem() const {
    return tree_->GetRowItem(tree_->GetCaretRow());
}

bool CVekTreeView::DocumentReady() const {
    return document_.IsCompiled() && document_.GetItems() != nullptr;
}

void CVekTreeView::ReportStatus() {
    const int caret = tree_->GetCaretRow();
    const CLineItem* item = tree_->GetRowItem(caret);
    if (item == nullptr)
        return;
    services_.statusBar.SetPaneText(0, ToQString(StatusText(*item)));
    services_.statusBar.SetPaneText(1, ToQString(AccessWord(*item)));
    services_.statusBar.SetPaneText(3, ToQString(RowNumberText(caret)));
}

void CVekTreeView::OnActivated(bool active) {
    active_ = active;
    if (!active) {
        services_.statusBar.SetRefreshText({});
        return;
    }
    ShowRefreshRate();
    tree_->viewport()->update();
    tree_->setFocus();
    services_.statusBar.SetPaneText(2, QString::fromLatin1(RadixWord(radix_)));
}

void CVekTreeView::ShowRefreshRate() {
    if (!active_)
        return;
    if (!refresh_.IsRunning()) {
        services_.statusBar.SetRefreshText({});
        return;
    }
    services_.statusBar.SetRefreshText(QStringLiteral("Live %1/s, %2 registers")
                                           .arg(refresh_.Rate(), 0, 'f', 1)
                                           .arg(refresh_.RegisterCount()));
}

void CVekTreeView::ToggleRow(int row) {
    CLineItem* item = tree_->GetRowItem(row);
    if (item == nullptr)
        return;
    const bool expanded = tree_->IsRowExpanded(row);
    item->Update(nullptr, expanded ? UpdateCodes(UpdateCode::SecondIcon) : UpdateCodes());
    const int children = tree_->GetChildCount(row);
    if (expanded) {
        tree_->CollapseRow(row);
        shownRows_ -= children;
    } else {
        tree_->ExpandRow(row);
        shownRows_ += children;
    }
    edit_.Place();
}

void CVekTreeView::RevealRow(int row, bool focus) {
    if (!tree_->Model().IsRow(row))
        return;
    if (tree_->Model().At(row).filtered)
        filter_->clear();
    for (int p = tree_->GetParentRow(row); p >= 0 && !tree_->IsRowVisible(row);
         p = tree_->GetParentRow(p)) {
        if (!tree_->IsRowExpanded(p))
            ToggleRow(p);
    }
    if (focus)
        tree_->setFocus();
    tree_->SelectRow(row);
    tree_->ShowRow(row);
}

void CVekTreeView::OnNotify(TreeNotification code) {
    switch (code) {
    case TreeNotification::RowActionMouse:
    case TreeNotification::RowActionKey:
        RowAction();
        break;
    case TreeNotification::ToggleRow:
        ToggleRow(tree_->GetCaretRow());
        break;
    case TreeNotification::ToggleBookmark:
        bookmarks_.Toggle();
        break;
    }
}

void CVekTreeView::RowAction() {
    const bool onValue = AsValueItem(SelectedItem()) != nullptr;
    if (onValue &&
        (tree_->GetClickedColumn() == static_cast<int>(TreeColumn::Data) || edit_.IsOpen())) {
        if (edit_.IsOpen())
            edit_.Editor()->Commit();
        else
            edit_.Start(std::nullopt);
        return;
    }
    ToggleRow(tree_->GetCaretRow());
}

void CVekTreeView::FitDataColumn() {
    // Wide enough for a 32-bit value in the radix shown: 32 binary digits need more room.
    const int digits = radix_ == UpdateCode::Binary ? 32 : 11;
    const QFontMetrics metrics(tree_->Model().ValueFont());
    tree_->setColumnWidth(2, std::max(kDataWidth, metrics.horizontalAdvance(QString(digits, '0')) +
                                                      2 * metrics.averageCharWidth()));
}

void CVekTreeView::SetRadix(UpdateCode radix) {
    edit_.Close();
    radix_ = radix;
    FitDataColumn();
    services_.statusBar.SetPaneText(2, QString::fromLatin1(RadixWord(radix)));
    tree_->SetRedraw(false);
    for (CLineItem& item : *document_.GetItems())
        item.Update(nullptr, radix);
    tree_->SetRedraw(true);
}

void CVekTreeView::ExpandTree() {
    tree_->SetRedraw(false);
    for (CLineItem& item : *document_.GetItems())
        tree_->ExpandRow(item.GetNode());
    tree_->SetRedraw(true);
    shownRows_ = hideableRows_;
    edit_.Place();
}

void CVekTreeView::CollapseTree() {
    tree_->SetRedraw(false);
    for (int row = tree_->GetRowCount() - 1; row >= 0; --row)
        tree_->CollapseRow(row);
    tree_->SetRedraw(true);
    shownRows_ = 0;
    // A selection inside a closed branch moves to the row that now stands for it, so that the
    // selection stays in sight and the keys go on from there.
    int caret = tree_->GetCaretRow();
    if (caret >= 0 && !tree_->IsRowVisible(caret)) {
        while (caret >= 0 && !tree_->IsRowVisible(caret))
            caret = tree_->GetParentRow(caret);
        tree_->SelectRow(caret);
    }
    edit_.Place();
}

void CVekTreeView::TransferSelected(bool write) {
    CLineItem* item = SelectedItem();
    if (item == nullptr)
        return;
    if (write)
        document_.WriteRegister(*item);
    else
        document_.ReadRegister(*item);
}

void CVekTreeView::CopyRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : tree_->selectionModel()->selectedRows())
        rows.push_back(TreeModel::RowOf(index));
    std::sort(rows.begin(), rows.end());
    std::string text;
    for (int row : rows) {
        text += tree_->GetCellText(row, TreeColumn::Description) + '\t' +
                Unbracketed(tree_->GetCellText(row, TreeColumn::Address)) + '\t' +
                tree_->GetCellText(row, TreeColumn::Data) + '\n';
    }
    QApplication::clipboard()->setText(ToQString(text));
}

void CVekTreeView::ApplyFilter(const QString& text) {
    edit_.Close();
    const std::vector<int> matches = tree_->SetFilter(text);
    // The rows that match are opened, so that the filter shows them at once.
    tree_->SetRedraw(false);
    for (int row : matches) {
        for (int p = tree_->GetParentRow(row); p >= 0; p = tree_->GetParentRow(p)) {
            if (!tree_->IsRowExpanded(p))
                ToggleRow(p);
        }
    }
    tree_->SetRedraw(true);
}

QString CVekTreeView::ToolTipOf(const CLineItem& item) const {
    const CVarItem* value = AsValueItem(const_cast<CLineItem*>(&item));
    return value != nullptr ? ToQString(ValueToolTip(*value)) : QString();
}

std::optional<CommandState> CVekTreeView::ItemCommandState(CommandId id) const {
    const CLineItem* item = SelectedItem();
    const bool ready = DocumentReady() && item != nullptr;
    switch (id) {
    case CommandId::WriteDefault:
    case CommandId::WriteNow:
    case CommandId::ReadNow:
        return CommandState::Enabled(ready);
    case CommandId::WriteRegister:
        return CommandState::Enabled(ready && CanWriteRegister(*item));
    case CommandId::ReadRegister:
        return CommandState::Enabled(ready && CanReadRegister(*item));
    case CommandId::PlotValue:
        return CommandState::Enabled(ready && CanPlot(*item));
    case CommandId::IncreaseValue:
        return CommandState::Enabled(ready && !edit_.IsOpen() && CanIncrease(*item));
    case CommandId::DecreaseValue:
        return CommandState::Enabled(ready && !edit_.IsOpen() && CanDecrease(*item));
    case CommandId::ToggleBookmark:
        return CommandState::Enabled(tree_->GetSelectedRow() >= 0);
    case CommandId::EditCopy:
        return CommandState::Enabled(tree_->selectionModel()->hasSelection());
    default:
        return std::nullopt;
    }
}

std::optional<CommandState> CVekTreeView::QueryCommand(CommandId id) {
    if (const std::optional<UpdateCode> radix = RadixOfCommand(id))
        return CommandState::Check(document_.IsCompiled(), radix_ == *radix);
    if (auto state = ItemCommandState(id))
        return state;
    switch (id) {
    case CommandId::ExpandTree:
        return CommandState::Enabled(document_.IsCompiled() && shownRows_ < hideableRows_);
    case CommandId::CollapseTree:
        return CommandState::Enabled(document_.IsCompiled() && shownRows_ > 0);
    case CommandId::NextChange:
        return CommandState::Enabled(document_.IsCompiled() && tree_->NextChangedRow(-1) >= 0);
    case CommandId::LiveRefresh:
        return CommandState::Check(DocumentReady() || refresh_.IsRunning(), refresh_.IsRunning());
    case CommandId::Enter:
    case CommandId::EditFind:
    case CommandId::FindString:
    case CommandId::NextBookmark:
    case CommandId::PreviousBookmark:
    case CommandId::ClearBookmarks:
        return CommandState::Enabled();
    case CommandId::RegisterTree:
        return CommandState::Disabled();
    default:
        return std::nullopt;
    }
}

void CVekTreeView::RunCommand(CommandId id) {
    if (const std::optional<UpdateCode> radix = RadixOfCommand(id)) {
        SetRadix(*radix);
        return;
    }
    switch (id) {
    case CommandId::WriteDefault:
        services_.runBusy([this] { document_.WriteAll(TransferFlag::WriteDefault); });
        break;
    case CommandId::WriteNow:
        services_.runBusy([this] { document_.WriteAll({}); });
        break;
    case CommandId::ReadNow:
        services_.runBusy([this] { document_.ReadAll(); });
        break;
    case CommandId::WriteRegister:
        TransferSelected(true);
        break;
    case CommandId::ReadRegister:
        TransferSelected(false);
        break;
    case CommandId::PlotValue:
        services_.plotValue(*AsValueItem(SelectedItem()));
        break;
    case CommandId::IncreaseValue:
        SelectedItem()->Increase(1);
        break;
    case CommandId::DecreaseValue:
        SelectedItem()->Decrease(1);
        break;
    case CommandId::ExpandTree:
        ExpandTree();
        break;
    case CommandId::CollapseTree:
        CollapseTree();
        break;
    case CommandId::Enter:
        if (services_.findBoxFocused && services_.findBoxFocused())
            find_.FindNextFromBox();
        else
            RowAction();
        break;
    case CommandId::EditFind:
        find_.RunFindDialog();
        break;
    case CommandId::FindString:
        find_.FindNextFromBox();
        break;
    case CommandId::NextChange:
        if (const int row = tree_->NextChangedRow(tree_->GetSelectedRow()); row >= 0)
            RevealRow(row);
        break;
    case CommandId::ToggleBookmark:
        bookmarks_.Toggle();
        break;
    case CommandId::LiveRefresh:
        refresh_.IsRunning() ? refresh_.Stop() : refresh_.Start();
        break;
    case CommandId::NextBookmark:
        bookmarks_.Next();
        break;
    case CommandId::PreviousBookmark:
        bookmarks_.Previous();
        break;
    case CommandId::ClearBookmarks:
        bookmarks_.ClearAll();
        break;
    case CommandId::EditCopy:
        CopyRows();
        break;
    default:
        break;
    }
}

} // namespace vek
