#include "ui/find/find_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vek {

namespace {

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

CFindDialog::CFindDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Find"));
    findWhat_ = Named(new QComboBox(this), "FindWhat");
    findWhat_->setEditable(true);
    findWhat_->setInsertPolicy(QComboBox::NoInsert);
    findWhat_->setMinimumContentsLength(24);
    auto* label = new QLabel(QStringLiteral("Fi&nd What:"), this);
    label->setBuddy(findWhat_);

    wholeWord_ = Named(new QCheckBox(QStringLiteral("Match &Whole Word Only"), this), "WholeWord");
    matchCase_ = Named(new QCheckBox(QStringLiteral("Match &Case"), this), "MatchCase");
    auto* regularExpression =
        Named(new QCheckBox(QStringLiteral("Regular &Expression"), this), "RegularExpression");
    regularExpression->setEnabled(false);

    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    up_ = Named(new QRadioButton(QStringLiteral("&Up"), direction), "Up");
    down_ = Named(new QRadioButton(QStringLiteral("&Down"), direction), "Down");
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(up_);
    directionLayout->addWidget(down_);

    auto* findNext = Named(new QPushButton(QStringLiteral("Find Next"), this), "FindNext");
    findNext->setDefault(true);
    auto* cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "Cancel");
    auto* setBookmarks =
        Named(new QPushButton(QStringLiteral("&Set Bookmarks on All"), this), "SetBookmarks");
    connect(findNext, &QPushButton::clicked, this, &CFindDialog::FindNext);
    connect(cancel, &QPushButton::clicked, this, &CFindDialog::reject);
    connect(setBookmarks, &QPushButton::clicked, this, &CFindDialog::SetBookmarks);

    auto* fields = new QGridLayout;
    fields->addWidget(label, 0, 0);
    fields->addWidget(findWhat_, 0, 1, 1, 2);
    fields->addWidget(wholeWord_, 1, 0, 1, 2);
    fields->addWidget(matchCase_, 2, 0, 1, 2);
    fields->addWidget(regularExpression, 3, 0, 1, 2);
    fields->addWidget(direction, 1, 2, 3, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNext);
    buttons->addWidget(cancel);
    buttons->addWidget(setBookmarks);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
}

void CFindDialog::Prepare(const QStringList& findBoxItems, const QString& findBoxText) {
    findWhat_->clear();
    findWhat_->addItems(findBoxItems);
    findWhat_->setEditText(findBoxText);
    wholeWord_->setChecked(request_.options.wholeWord);
    matchCase_->setChecked(request_.options.matchCase);
    (request_.options.direction == FindDirection::Up ? up_ : down_)->setChecked(true);
    findWhat_->setFocus();
}

void CFindDialog::TakeControls() {
    request_.text = findWhat_->currentText();
    request_.options.wholeWord = wholeWord_->isChecked();
    request_.options.matchCase = matchCase_->isChecked();
    request_.options.direction = up_->isChecked() ? FindDirection::Up : FindDirection::Down;
}

void CFindDialog::FindNext() {
    TakeControls();
    if (!request_.text.isEmpty())
        Q_EMIT FindNextRequested(request_);
}

void CFindDialog::SetBookmarks() {
    TakeControls();
    done(kSetBookmarksResult);
}

} // namespace vek
