#include "ui/find/find_next_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace vek {

CFindNextDialog::CFindNextDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Find Next"));
    setModal(false);
    auto* findNext = new QPushButton(QStringLiteral("&Find Next"), this);
    findNext->setObjectName(QStringLiteral("FindNext"));
    findNext->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    auto* setBookmarks = new QPushButton(QStringLiteral("&Set Bookmarks on All"), this);
    setBookmarks->setObjectName(QStringLiteral("SetBookmarks"));
    connect(findNext, &QPushButton::clicked, this, &CFindNextDialog::FindNextRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    connect(setBookmarks, &QPushButton::clicked, this, &CFindNextDialog::SetBookmarksRequested);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(findNext);
    layout->addWidget(cancel);
    layout->addWidget(setBookmarks);
}

} // namespace vek
