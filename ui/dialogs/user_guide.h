#pragma once

#include <QDialog>

class QTextBrowser;

namespace vek {

// Help > User Guide: vek32's page of the documentation, in a window of its own. The installed
// page is found from the program's folder as the installation lays them out; a program that is
// not installed (one run from its build folder) shows the copy built into it.
class CUserGuide : public QDialog {
    Q_OBJECT

public:
    CUserGuide(const QString& programFolder, QWidget* parent);

    // The installed page for a program in `programFolder`; empty when there is none.
    static QString InstalledPath(const QString& programFolder);

    QTextBrowser& Browser() const { return *browser_; }

private:
    void OnLink(const QUrl& link);

    QTextBrowser* browser_;
};

} // namespace vek
