#include "ui/dialogs/user_guide.h"

#include "platform/text_file.h"
#include "ui/host/text_conversion.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vek {

namespace {

constexpr const char* kBuiltIn = ":/docs/vek32.md";

// The page's text, or the reason it cannot be read.
QString GuideText(const QString& path) {
    const Result<std::string> read = ReadTextFile(ToStdString(path), kGuideFileLimit);
    return read ? QString::fromStdString(read.Value())
                : path + QStringLiteral(": ") + ToQString(read.Error().text);
}

QString BuiltInText() {
    QFile file(QString::fromLatin1(kBuiltIn));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

} // namespace

QString CUserGuide::InstalledPath(const QString& programFolder) {
    const QString path = QDir(programFolder).filePath(QStringLiteral(VEK_GUIDE_FOLDER "/vek32.md"));
    return QFileInfo::exists(path) ? QDir::cleanPath(path) : QString();
}

CUserGuide::CUserGuide(const QString& programFolder, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("vek32 User Guide"));
    // The links lead to the other pages and to the web, which the desktop's programs show; the
    // guide's own anchors stay here.
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &CUserGuide::OnLink);
    const QString installed = InstalledPath(programFolder);
    if (installed.isEmpty()) {
        browser_->setMarkdown(BuiltInText());
    } else {
        // The pictures lie beside the page.
        browser_->setSearchPaths({QFileInfo(installed).path()});
        browser_->document()->setBaseUrl(QUrl::fromLocalFile(installed));
        browser_->setMarkdown(GuideText(installed));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(720, 640);
}

void CUserGuide::OnLink(const QUrl& link) {
    if (link.isRelative() && link.path().isEmpty()) {
        browser_->scrollToAnchor(link.fragment());
        return;
    }
    QDesktopServices::openUrl(browser_->document()->baseUrl().resolved(link));
}

} // namespace vek
