#include "ui/views/source_view.h"

#include "importer/map_import.h"
#include "platform/text_file.h"
#include "ui/host/text_conversion.h"

#include <QPainter>
#include <QTextBlock>

namespace vek {

// The line numbers beside the text.
class LineNumberArea : public QWidget {
public:
    explicit LineNumberArea(CSourceView& view) : QWidget(&view), view_(view) {}
    QSize sizeHint() const override { return {view_.GutterWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { view_.PaintGutter(event); }

private:
    CSourceView& view_;
};

CSourceView::CSourceView(QWidget* parent)
    : ReadOnlyTextView(parent), gutter_(new LineNumberArea(*this)) {
    setObjectName(QStringLiteral("CSourceView"));
    connect(this, &QPlainTextEdit::blockCountChanged, this,
            [this] { setViewportMargins(GutterWidth(), 0, 0, 0); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy != 0)
            gutter_->scroll(0, dy);
        else
            gutter_->update(0, rect.y(), gutter_->width(), rect.height());
    });
}

bool CSourceView::ShowFile(const QString& path, int line, QString& error) {
    Result<std::string> read = ReadTextFile(ToStdString(path), kDescriptionFileLimit);
    if (!read) {
        error = ToQString(read.Error().text);
        return false;
    }
    // A register map shows as the description imported from it, whose lines the messages name.
    Result<ImportedDescription> text =
        DescriptionFromText(ToStdString(path), std::move(read).Value());
    if (!text) {
        error = ToQString(text.Error().text);
        return false;
    }
    path_ = path;
    line_ = line;
    setPlainText(ToQString(text.Value().text));
    setViewportMargins(GutterWidth(), 0, 0, 0);
    MarkLine();
    return true;
}

void CSourceView::MarkLine() {
    const QTextBlock block = document()->findBlockByNumber(line_ - 1);
    QTextCursor cursor(block.isValid() ? block : document()->lastBlock());
    setTextCursor(cursor);
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(QColor(255, 230, 140));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    mark.cursor = cursor;
    setExtraSelections({mark});
    centerCursor();
}

int CSourceView::GutterWidth() const {
    const int digits = static_cast<int>(QString::number(std::max(1, blockCount())).size());
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void CSourceView::resizeEvent(QResizeEvent* event) {
    ReadOnlyTextView::resizeEvent(event);
    const QRect area = contentsRect();
    gutter_->setGeometry(area.left(), area.top(), GutterWidth(), area.height());
}

void CSourceView::PaintGutter(QPaintEvent* event) {
    QPainter painter(gutter_);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        painter.drawText(0, top, gutter_->width() - 4, height, Qt::AlignRight,
                         QString::number(block.blockNumber() + 1));
        block = block.next();
        top += height;
    }
}

std::optional<CommandState> CSourceView::QueryCommand(CommandId id) {
    if (id == CommandId::FileClose)
        return CommandState::Enabled();
    return ReadOnlyTextView::QueryCommand(id);
}

void CSourceView::RunCommand(CommandId id) {
    if (id == CommandId::FileClose)
        Q_EMIT CloseRequested();
    else
        ReadOnlyTextView::RunCommand(id);
}

} // namespace vek
