#include "ui/script/debug_panels.h"

#include "scripting/basic/engine.h"
#include "ui/host/text_conversion.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>

namespace vek {

namespace {

constexpr int kModuleRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;
constexpr int kFrameRole = Qt::UserRole + 2;

void SetUpColumns(QTreeWidget& tree, const QStringList& headers) {
    tree.setColumnCount(static_cast<int>(headers.size()));
    tree.setHeaderLabels(headers);
    tree.header()->setSectionResizeMode(QHeaderView::Interactive);
    tree.header()->setStretchLastSection(true);
    tree.setRootIsDecorated(true);
    tree.setUniformRowHeights(true);
    tree.setColumnWidth(0, 140);
}

} // namespace

WatchList::WatchList(QWidget* parent) : QTreeWidget(parent) {
    SetUpColumns(*this, {QStringLiteral("Expression"), QStringLiteral("Value")});
    setRootIsDecorated(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    // An edited expression is evaluated at once.
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (column == 0 && engine_ != nullptr)
            Refresh(*engine_, frame_);
    });
}

void WatchList::AddWatch(const QString& expression) {
    if (expression.trimmed().isEmpty())
        return;
    auto* item = new QTreeWidgetItem(this, {expression.trimmed(), QString()});
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    if (engine_ != nullptr)
        Refresh(*engine_, frame_);
}

QStringList WatchList::Expressions() const {
    QStringList list;
    for (int i = 0; i < topLevelItemCount(); ++i)
        list.append(topLevelItem(i)->text(0));
    return list;
}

void WatchList::Refresh(basic::Engine& engine, std::size_t frame) {
    engine_ = &engine;
    frame_ = frame;
    const bool paused = engine.State() == basic::RunState::Paused;
    const QSignalBlocker quiet(this);
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = topLevelItem(i);
        std::string value = "<not paused>";
        if (paused && !engine.Evaluate(ToStdString(item->text(0)), value, frame))
            value = "<" + value + ">";
        item->setText(1, ToQString(value));
    }
}

void WatchList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && currentItem() != nullptr && state() != EditingState) {
        delete currentItem();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

CallStackView::CallStackView(QWidget* parent) : QTreeWidget(parent) {
    SetUpColumns(*this, {QStringLiteral("Procedure"), QStringLiteral("Value")});
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        while (item != nullptr && item->parent() != nullptr)
            item = item->parent();
        if (item != nullptr)
            Q_EMIT FrameChosen(item->data(0, kFrameRole).toULongLong(),
                               item->data(0, kModuleRole).toString(),
                               item->data(0, kLineRole).toInt());
    });
}

void CallStackView::Refresh(const basic::Engine& engine) {
    const QSignalBlocker quiet(this);
    clear();
    if (engine.State() != basic::RunState::Paused)
        return;
    std::size_t index = 0;
    for (const basic::CallFrameInfo& frame : engine.CallStack()) {
        const QString module = ToQString(frame.module);
        const QString where = QStringLiteral("%1 (%2 line %3)")
                                  .arg(ToQString(frame.procedure), QFileInfo(module).fileName())
                                  .arg(frame.line);
        auto* item = new QTreeWidgetItem(this, {where, QString()});
        item->setData(0, kModuleRole, module);
        item->setData(0, kLineRole, frame.line);
        item->setData(0, kFrameRole, static_cast<qulonglong>(index++));
        for (const basic::LocalValue& local : frame.locals)
            new QTreeWidgetItem(item, {ToQString(local.name), ToQString(local.value)});
    }
    if (topLevelItemCount() > 0) {
        topLevelItem(0)->setExpanded(true);
        setCurrentItem(topLevelItem(0));
    }
}

std::size_t CallStackView::CurrentFrame() const {
    QTreeWidgetItem* item = currentItem();
    while (item != nullptr && item->parent() != nullptr)
        item = item->parent();
    return item != nullptr ? item->data(0, kFrameRole).toULongLong() : 0;
}

} // namespace vek
