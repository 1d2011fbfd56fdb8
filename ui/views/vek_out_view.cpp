#include "ui/views/vek_out_view.h"

#include "ui/commands/ui_strings.h"
#include "ui/dialogs/file_dialogs.h"
#include "ui/host/text_conversion.h"

#include "platform/file_replacement.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

namespace vek {

CVekOutView::CVekOutView(FileDialogs& dialogs, QWidget* parent)
    : ReadOnlyTextView(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("CVekOutView"));
}

void CVekOutView::AppendLine(const QString& text) {
    if (bufferSize_ > kBufferLimit)
        ClearText();
    appendPlainText(text);
    bufferSize_ += text.size() + 2;
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void CVekOutView::ClearText() {
    clear();
    bufferSize_ = 0;
}

QStringList CVekOutView::Lines() const {
    if (bufferSize_ == 0)
        return {};
    return toPlainText().split(QLatin1Char('\n'));
}

bool CVekOutView::SaveText(const QString& path, QString& error) const {
    // Whole lines: a long driver message keeps its end.
    QByteArray text;
    for (const QString& line : Lines()) {
        text += line.toUtf8();
        text += "\r\n";
    }
    const Result<void> saved =
        ReplaceFile(ToStdString(path), std::string_view(text.constData(), text.size()));
    if (!saved)
        error = ToQString(saved.Error().text);
    return static_cast<bool>(saved);
}

std::optional<CommandState> CVekOutView::QueryCommand(CommandId id) {
    switch (id) {
    case CommandId::FileSaveAs:
    case CommandId::FileClose:
        return CommandState::Enabled();
    case CommandId::FileSave:
    case CommandId::RegisterTree:
    case CommandId::RegisterList:
        return CommandState::Disabled();
    default:
        return ReadOnlyTextView::QueryCommand(id);
    }
}

void CVekOutView::RunCommand(CommandId id) {
    switch (id) {
    case CommandId::FileSaveAs:
        SaveAs();
        break;
    case CommandId::FileClose:
        Q_EMIT CloseRequested();
        break;
    default:
        ReadOnlyTextView::RunCommand(id);
        break;
    }
}

void CVekOutView::SaveAs() {
    const std::optional<QString> path = dialogs_.SaveText(this);
    if (!path)
        return;
    QString error;
    if (!SaveText(*path, error))
        QMessageBox::warning(this, QString::fromUtf8(UiString(UiStringId::AppTitle)), error);
}

void CVekOutView::mouseDoubleClickEvent(QMouseEvent* event) {
    ReadOnlyTextView::mouseDoubleClickEvent(event);
    const int index = cursorForPosition(event->position().toPoint()).blockNumber();
    const QTextDocument* text = document();
    const std::optional<SourceLocation> location =
        DiagnosticAt(index, [text](int i) { return text->findBlockByNumber(i).text(); });
    if (location)
        Q_EMIT SourceRequested(*location);
}

} // namespace vek
