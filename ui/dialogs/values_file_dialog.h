#pragma once

#include <QFileDialog>

class QLabel;
class QLineEdit;

namespace vek {

// The register-values file dialog: a file dialog with the comment and the last-modified time
// of the file selected. Opening shows the file's stored comment read-only; saving takes the
// user's comment.
class CValuesFileDialog : public QFileDialog {
    Q_OBJECT

public:
    CValuesFileDialog(QWidget* parent, AcceptMode mode);

    QString Comment() const;

private:
    void ShowFileDetails(const QString& path);

    QLineEdit* comment_;
    QLabel* modified_;
};

} // namespace vek
