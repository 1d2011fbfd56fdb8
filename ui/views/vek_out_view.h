#pragma once

#include "ui/views/diagnostic_link.h"
#include "ui/views/read_only_text_view.h"

namespace vek {

class FileDialogs;

// The output window's view: the program's single log of compile results, driver messages and
// failed transfers. It holds at most about 60,000 characters: a line that finds more is
// preceded by emptying the window. A double click on a compiler diagnostic asks to show the
// description at that line.
class CVekOutView : public ReadOnlyTextView {
    Q_OBJECT

public:
    static constexpr int kBufferLimit = 60000;

    CVekOutView(FileDialogs& dialogs, QWidget* parent);

    void AppendLine(const QString& text);
    void ClearText();
    // Characters held, each line counted with its CR LF.
    qsizetype BufferSize() const { return bufferSize_; }
    QStringList Lines() const;
    // Writes every line, whole, each followed by CR LF, as every file is saved (ReplaceFile);
    // false with the reason, which names the file, otherwise.
    bool SaveText(const QString& path, QString& error) const;

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

Q_SIGNALS:
    void CloseRequested();
    void SourceRequested(const vek::SourceLocation& location);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void SaveAs();

    FileDialogs& dialogs_;
    qsizetype bufferSize_ = 0;
};

} // namespace vek
