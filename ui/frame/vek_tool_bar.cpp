#include "ui/frame/vek_tool_bar.h"

#include "platform/profile_file.h"
#include "ui/commands/command_router.h"
#include "ui/frame/tool_bar_layout.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace vek {

namespace {

constexpr const char* kFindSection = "Find";
constexpr std::size_t kFindValueLength = 256;

std::string FindKey(int n) {
    return "Find" + std::to_string(n);
}

} // namespace

CVekToolBar::CVekToolBar(const QString& title, std::span<const ToolBarSlot> slotTable,
                         CommandRouter& router, QWidget* parent)
    : QToolBar(title, parent), router_(router) {
    setObjectName(title);
    setIconSize(QSize(16, 16));
    bool afterSeparator = false;
    for (const ToolBarSlot& slot : slotTable) {
        switch (slot.kind) {
        case ToolBarSlot::Kind::Button:
            addAction(router.Action(slot.id));
            break;
        case ToolBarSlot::Kind::Separator:
            // Two separators in a row make one gap: the main toolbar then fits a window two
            // thirds of a 1024-pixel screen wide.
            addSeparator()->setVisible(!afterSeparator);
            break;
        case ToolBarSlot::Kind::FindBox:
            AddFindBox();
            break;
        }
        afterSeparator = slot.kind == ToolBarSlot::Kind::Separator;
    }
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, &CVekToolBar::OnTimer);
    WatchRepeatButton(CommandId::IncreaseValue);
    WatchRepeatButton(CommandId::DecreaseValue);
}

void CVekToolBar::AddFindBox() {
    findBox_ = new QComboBox(this);
    findBox_->setObjectName(QStringLiteral("FindBox"));
    findBox_->setEditable(true);
    // The history is kept by the find commands, not by the box itself.
    findBox_->setInsertPolicy(QComboBox::NoInsert);
    findBox_->setFixedWidth(kFindBoxWidth);
    findBox_->installEventFilter(this);
    connect(findBox_->lineEdit(), &QLineEdit::returnPressed, this, &CVekToolBar::FindBoxEnter);
    addWidget(findBox_);
}

QToolButton* CVekToolBar::ButtonFor(CommandId id) const {
    return qobject_cast<QToolButton*>(widgetForAction(router_.Action(id)));
}

void CVekToolBar::WatchRepeatButton(CommandId id) {
    if (QToolButton* button = ButtonFor(id))
        button->installEventFilter(this);
}

void CVekToolBar::LoadFindHistory(const ProfileFile& profile) {
    if (findBox_ == nullptr)
        return;
    for (int n = 1; n <= kFindHistorySize; ++n) {
        const std::string value = profile.GetString(kFindSection, FindKey(n), "", kFindValueLength);
        if (value.empty())
            break;
        findBox_->insertItem(0, QString::fromStdString(value));
    }
    findBox_->setEditText(QString());
}

void CVekToolBar::SaveFindHistory(ProfileFile& profile) const {
    if (findBox_ == nullptr)
        return;
    const int count = findBox_->count();
    for (int n = 1; n <= count; ++n)
        profile.SetString(kFindSection, FindKey(n), findBox_->itemText(count - n).toStdString());
}

bool CVekToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (findBox_ != nullptr && watched == findBox_) {
        if (event->type() == QEvent::FocusIn)
            Q_EMIT FindBoxFocusChanged(true);
        else if (event->type() == QEvent::FocusOut)
            Q_EMIT FindBoxFocusChanged(false);
        return false;
    }
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button == nullptr)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            rightDown_ = true;
        } else if (mouse->button() == Qt::LeftButton && button->isEnabled() &&
                   (!childActive_ || childActive_())) {
            rightDown_ = (mouse->buttons() & Qt::RightButton) != 0;
            const bool increase = button == ButtonFor(CommandId::IncreaseValue);
            Apply(repeat_.Press(increase ? CommandId::IncreaseValue : CommandId::DecreaseValue));
        }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            rightDown_ = false;
        else if (mouse->button() == Qt::LeftButton)
            Apply(repeat_.Release());
        break;
    }
    case QEvent::MouseMove:
        if (repeat_.GetState() != AutoRepeat::State::Idle &&
            !button->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            Apply(repeat_.Release());
        break;
    default:
        break;
    }
    return false;
}

void CVekToolBar::Apply(const AutoRepeat::Step& step) {
    if (step.stop)
        timer_.stop();
    if (step.restart > 0)
        timer_.start(step.restart);
    if (step.send)
        router_.Execute(repeat_.Command());
}

void CVekToolBar::OnTimer() {
    Apply(repeat_.Tick(rightDown_));
}

} // namespace vek
