#include "ui/host/qt_host.h"

#include "ui/commands/ui_strings.h"
#include "ui/frame/led_status_bar.h"
#include "ui/host/event_pump.h"
#include "ui/host/text_conversion.h"
#include "ui/views/vek_out_view.h"

#include <QApplication>
#include <QMessageBox>

namespace vek {

QtHost::QtHost(CLedStatusBar& statusBar, QWidget* boxParent, EventPump& pump)
    : statusBar_(statusBar), boxParent_(boxParent), pump_(pump) {}

void QtHost::SetOutput(CVekOutView* view, std::function<void()> showOutput) {
    output_ = view;
    showOutput_ = std::move(showOutput);
}

void QtHost::Message(std::string_view text, bool show) {
    if (show && showOutput_)
        showOutput_();
    if (output_ != nullptr)
        output_->AppendLine(ToQString(text));
}

void QtHost::ClearMessages() {
    if (output_ != nullptr)
        output_->ClearText();
}

void QtHost::SetProgressRange(int count) {
    statusBar_.SetProgressRange(count);
}

void QtHost::StepProgress() {
    statusBar_.OffsetProgressPos(1);
    pump_.Pump();
}

void QtHost::ResetProgress() {
    statusBar_.SetProgressPos(0);
}

void QtHost::SetLedState(LedState state) {
    statusBar_.SetLedState(state);
}

Answer QtHost::Ask(std::string_view text, QuestionKind kind) {
    const bool okCancel = kind == QuestionKind::OkCancel;
    const QMessageBox::StandardButtons buttons =
        okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(UiString(UiStringId::AppTitle)),
                    ToQString(text), buttons, boxParent_);
    box.setDefaultButton(okCancel ? QMessageBox::Ok : QMessageBox::Yes);
    const int answer = box.exec();
    if (okCancel)
        return answer == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtHost::Beep() {
    QApplication::beep();
}

void QtHost::Repaint() {
    pump_.Pump();
}

} // namespace vek
