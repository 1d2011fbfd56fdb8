#include "ui/frame/macro_bar.h"

#include "model/basic_macro.h"

#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>

namespace vek {

CMacroBar::CMacroBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CMacroBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    const auto scrollButton = [this, layout](const char* text, int delta) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("<<")) + 16);
        connect(button, &QPushButton::clicked, this, [this, delta] { Scroll(delta); });
        layout->addWidget(button);
        return button;
    };
    pageBack_ = scrollButton("<<", -kButtonCount);
    back_ = scrollButton("<", -1);
    for (int k = 0; k < kButtonCount; ++k) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("MacroButton%1").arg(k));
        // Long macro names shrink with the window rather than widen it.
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 4);
        connect(button, &QPushButton::clicked, this, [this, k] { RunMacro(offset_ + k); });
        layout->addWidget(button, 1);
        buttons_[static_cast<std::size_t>(k)] = button;
    }
    forward_ = scrollButton(">", 1);
    pageForward_ = scrollButton(">>", kButtonCount);
    setVisible(false);
    UpdateButtons();
}

QPushButton* CMacroBar::ScrollButton(int delta) const {
    switch (delta) {
    case -1:
        return back_;
    case 1:
        return forward_;
    case -kButtonCount:
        return pageBack_;
    case kButtonCount:
        return pageForward_;
    default:
        return nullptr;
    }
}

bool CMacroBar::AddMacro(CMacro& macro) {
    if (const auto* script = dynamic_cast<const CBasicMacro*>(&macro);
        script != nullptr && !script->IsValid())
        return false;
    macros_.push_back(&macro);
    UpdateButtons();
    if (macros_.size() == 1) {
        setVisible(true);
        Q_EMIT LayoutChanged();
    }
    return true;
}

void CMacroBar::Scroll(int delta) {
    offset_ = std::max(std::min(offset_ + delta, Count() - kButtonCount), 0);
    UpdateButtons();
}

void CMacroBar::RunMacro(int index) {
    if (index >= 0 && index < Count() && runner_)
        runner_(Macro(index));
}

void CMacroBar::UpdateButtons() {
    for (int k = 0; k < kButtonCount; ++k) {
        QPushButton* button = buttons_[static_cast<std::size_t>(k)];
        if (k >= Count()) {
            button->setVisible(false);
            continue;
        }
        const QString name = QString::fromStdString(Macro(offset_ + k).GetName());
        if (button->text() != name)
            button->setText(name);
        button->setVisible(true);
    }
    back_->setEnabled(offset_ > 0);
    pageBack_->setEnabled(offset_ > 0);
    forward_->setEnabled(offset_ + kButtonCount < Count());
    pageForward_->setEnabled(offset_ + kButtonCount < Count());
}

} // namespace vek
