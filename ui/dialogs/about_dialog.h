#pragma once

#include <QDialog>

namespace vek {

// The About box: product name, version, what the tool is for, and the build date.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent);

    // "(Compiled Feb  6 2001)": the compiler's own date form.
    static QString CompiledText();
};

} // namespace vek
