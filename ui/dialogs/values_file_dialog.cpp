#include "ui/dialogs/values_file_dialog.h"

#include "platform/profile_file.h"
#include "ui/host/text_conversion.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace vek {

namespace {

constexpr std::size_t kCommentLength = 200;

} // namespace

CValuesFileDialog::CValuesFileDialog(QWidget* parent, AcceptMode mode)
    : QFileDialog(parent), comment_(new QLineEdit(this)), modified_(new QLabel(this)) {
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(mode);
    comment_->setReadOnly(mode == AcceptOpen);
    comment_->setMaxLength(static_cast<int>(kCommentLength) - 1);
    // The extra fields go below the dialog's own rows.
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(tr("Comment:"), this), row, 0);
        grid->addWidget(comment_, row, 1, 1, grid->columnCount() - 1);
        grid->addWidget(new QLabel(tr("Last modified:"), this), row + 1, 0);
        grid->addWidget(modified_, row + 1, 1, 1, grid->columnCount() - 1);
    }
    connect(this, &QFileDialog::currentChanged, this, &CValuesFileDialog::ShowFileDetails);
}

QString CValuesFileDialog::Comment() const {
    return comment_->text();
}

void CValuesFileDialog::ShowFileDetails(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.suffix().compare(QStringLiteral("vkg"), Qt::CaseInsensitive) != 0) {
        modified_->clear();
        if (acceptMode() == AcceptOpen)
            comment_->clear();
        return;
    }
    modified_->setText(
        QLocale::c().toString(info.lastModified(), QStringLiteral("MMMM dd, yyyy;  HH:mm")));
    if (acceptMode() == AcceptOpen) {
        ProfileFile file(ToStdString(path));
        file.Load();
        comment_->setText(ToQString(file.GetString("HEADER", "Comment", "", kCommentLength)));
    }
}

} // namespace vek
