#include "ui/script/script_dialogs.h"

#include "scripting/basic/engine.h"
#include "ui/commands/ui_strings.h"
#include "ui/host/text_conversion.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace vek::script_dialogs {

namespace {

using Button = QMessageBox::StandardButton;

// The button sets of codes 0 to 5, each with the Visual Basic number of every button.
struct ButtonSet {
    std::array<std::pair<Button, int>, 3> buttons;
    int count;
};

constexpr std::array kButtonSets = {
    ButtonSet{{{{Button::Ok, 1}}}, 1},
    ButtonSet{{{{Button::Ok, 1}, {Button::Cancel, 2}}}, 2},
    ButtonSet{{{{Button::Abort, 3}, {Button::Retry, 4}, {Button::Ignore, 5}}}, 3},
    ButtonSet{{{{Button::Yes, 6}, {Button::No, 7}, {Button::Cancel, 2}}}, 3},
    ButtonSet{{{{Button::Yes, 6}, {Button::No, 7}}}, 2},
    ButtonSet{{{{Button::Retry, 4}, {Button::Cancel, 2}}}, 2},
};

QMessageBox::Icon IconOf(int buttons) {
    switch (buttons & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QString Caption(const QString& title) {
    return title.isEmpty() ? QString::fromUtf8(UiString(UiStringId::AppTitle)) : title;
}

} // namespace

int MsgBox(QWidget* parent, const QString& prompt, int buttons, const QString& title) {
    const int code = buttons & 0x0F;
    const ButtonSet& set = kButtonSets[static_cast<std::size_t>(code < 6 ? code : 0)];
    QMessageBox box(IconOf(buttons), Caption(title), prompt, QMessageBox::NoButton, parent);
    for (int i = 0; i < set.count; ++i)
        box.addButton(set.buttons[static_cast<std::size_t>(i)].first);
    // vbDefaultButton2 and 3 (256, 512).
    const int preferred = std::min((buttons >> 8) & 0x3, set.count - 1);
    box.setDefaultButton(set.buttons[static_cast<std::size_t>(preferred)].first);
    const auto clicked = static_cast<Button>(box.exec());
    for (int i = 0; i < set.count; ++i) {
        if (set.buttons[static_cast<std::size_t>(i)].first == clicked)
            return set.buttons[static_cast<std::size_t>(i)].second;
    }
    for (int i = 0; i < set.count; ++i) {
        if (set.buttons[static_cast<std::size_t>(i)].second == 2)
            return 2;
    }
    return set.buttons[0].second;
}

std::optional<QString> InputBox(QWidget* parent, const QString& prompt, const QString& title,
                                const QString& defaultText) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, Caption(title), prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

bool QuickWatch(QWidget* parent, const QString& expression, const QString& value) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Quick Watch"));
    auto* form = new QFormLayout(&dialog);
    auto* expressionLabel = new QLabel(expression, &dialog);
    expressionLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* valueLabel = new QLabel(value, &dialog);
    valueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    valueLabel->setObjectName(QStringLiteral("value"));
    form->addRow(QStringLiteral("Expression:"), expressionLabel);
    form->addRow(QStringLiteral("Value:"), valueLabel);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QPushButton* add =
        buttons->addButton(QStringLiteral("&Add Watch"), QDialogButtonBox::AcceptRole);
    add->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::size_t> Browse(QWidget* parent,
                                  const std::vector<basic::ProcedureInfo>& procedures) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Browse"));
    auto* column = new QVBoxLayout(&dialog);
    auto* list = new QListWidget(&dialog);
    for (const basic::ProcedureInfo& proc : procedures) {
        list->addItem(QStringLiteral("%1 %2  (%3, line %4)")
                          .arg(proc.isFunction ? QStringLiteral("Function") : QStringLiteral("Sub"),
                               ToQString(proc.name), QFileInfo(ToQString(proc.module)).fileName())
                          .arg(proc.line));
    }
    list->setCurrentRow(0);
    column->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    column->addWidget(buttons);
    dialog.resize(420, 320);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return static_cast<std::size_t>(list->currentRow());
}

} // namespace vek::script_dialogs
