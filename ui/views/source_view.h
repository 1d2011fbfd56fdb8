#pragma once

#include "ui/views/read_only_text_view.h"

namespace vek {

// A description shown read-only with line numbers, one line marked: where a double click on a
// compiler diagnostic in the output window leads.
class CSourceView : public ReadOnlyTextView {
    Q_OBJECT

public:
    explicit CSourceView(QWidget* parent);

    // Reads the file and marks `line` (from 1); false with the reason when it cannot be read.
    bool ShowFile(const QString& path, int line, QString& error);
    const QString& Path() const { return path_; }
    int MarkedLine() const { return line_; }
    // The line the caret is on, from 1.
    int CaretLine() const { return textCursor().blockNumber() + 1; }

    std::optional<CommandState> QueryCommand(CommandId id) override;
    void RunCommand(CommandId id) override;

Q_SIGNALS:
    void CloseRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class LineNumberArea;
    int GutterWidth() const;
    void PaintGutter(QPaintEvent* event);
    void MarkLine();

    QWidget* gutter_;
    QString path_;
    int line_ = 0;
};

} // namespace vek
