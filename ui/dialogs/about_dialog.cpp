#include "ui/dialogs/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace vek {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Tarvel"));
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tarvel.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon);
    auto* texts = new QVBoxLayout;
    auto* product = new QLabel(QStringLiteral("Tarvel"), this);
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    product->setFont(bold);
    texts->addWidget(product);
    texts->addWidget(new QLabel(QStringLiteral("Version " VEK_VERSION), this));
    auto* purpose =
        new QLabel(QStringLiteral("Tarvel is a tool that helps users to view and update "
                                  "the contents of the registers of all kinds of ICs."),
                   this);
    purpose->setWordWrap(true);
    texts->addWidget(purpose);
    auto* compiled = new QLabel(CompiledText(), this);
    compiled->setObjectName(QStringLiteral("Compiled"));
    texts->addWidget(compiled);
    row->addLayout(texts, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

QString CAboutDlg::CompiledText() {
    return QStringLiteral("(Compiled %1)").arg(QLatin1String(__DATE__));
}

} // namespace vek
