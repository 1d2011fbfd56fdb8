#include "ui/tree/slider_bar.h"

#include "model/var_item.h"
#include "ui/host/text_conversion.h"
#include "ui/tree/slider_math.h"
#include "ui/tree/tree_item_rules.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace vek {

namespace {

constexpr int kBarWidth = 180;

SliderMove MoveOf(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return SliderMove::LineLeft;
    case QAbstractSlider::SliderSingleStepAdd:
        return SliderMove::LineRight;
    case QAbstractSlider::SliderPageStepSub:
        return SliderMove::PageLeft;
    case QAbstractSlider::SliderPageStepAdd:
        return SliderMove::PageRight;
    case QAbstractSlider::SliderMove:
        return SliderMove::Thumb;
    default:
        return SliderMove::Other;
    }
}

SliderScale ScaleOf(const CVarItem& item) {
    return SliderScale::Of(ValueBits(item), item.HasFlags(ItemFlag::Signed));
}

} // namespace

CSliderBar::CSliderBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CSliderBar"));
    setFixedWidth(kBarWidth);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    for (int k = 0; k < kSlotCount; ++k) {
        Slot& slot = slots_[static_cast<std::size_t>(k)];
        slot.box = new QGroupBox(this);
        slot.bar = new QScrollBar(Qt::Horizontal, slot.box);
        slot.bar->setObjectName(QStringLiteral("Slider%1").arg(k));
        auto* inner = new QVBoxLayout(slot.box);
        inner->addWidget(slot.bar);
        column->addWidget(slot.box);
        connect(slot.bar, &QAbstractSlider::actionTriggered, this,
                [this, k](int action) { OnAction(k, action); });
    }
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* text, int delta) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setFixedWidth(36);
        connect(b, &QPushButton::clicked, this, [this, delta] { Scroll(delta); });
        buttons->addWidget(b);
        return b;
    };
    pageBack_ = button("<<", -kSlotCount);
    back_ = button("<", -1);
    forward_ = button(">", 1);
    pageForward_ = button(">>", kSlotCount);
    column->addLayout(buttons);
    hide();
    UpdateSlots();
}

QPushButton* CSliderBar::ScrollButton(int delta) const {
    switch (delta) {
    case -kSlotCount:
        return pageBack_;
    case -1:
        return back_;
    case 1:
        return forward_;
    case kSlotCount:
        return pageForward_;
    default:
        return nullptr;
    }
}

void CSliderBar::AddSliderItem(CVarItem& item) {
    items_.push_back(&item);
    if (items_.size() == 1) {
        show();
        Q_EMIT LayoutChanged();
    }
    UpdateSlots();
}

void CSliderBar::Scroll(int delta) {
    offset_ = std::max(std::min(offset_ + delta, Count() - kSlotCount), 0);
    UpdateSlots();
}

void CSliderBar::UpdateSlots() {
    for (int k = 0; k < kSlotCount; ++k) {
        const Slot& slot = slots_[static_cast<std::size_t>(k)];
        if (offset_ + k >= Count()) {
            slot.box->hide();
            continue;
        }
        const CVarItem& item = *items_[static_cast<std::size_t>(offset_ + k)];
        slot.bar->setEnabled(item.HasFlags(ItemFlag::ValueShown) &&
                             !item.HasFlags(ItemFlag::Editing));
        const QString caption = ToQString(SliderCaption(item.GetName()));
        if (slot.box->title() != caption)
            slot.box->setTitle(caption);
        const SliderScale scale = ScaleOf(item);
        const int range = static_cast<int>(scale.range);
        const int position = scale.Position(item.ShownValue());
        if (slot.bar->minimum() != 0 || slot.bar->maximum() != range ||
            slot.bar->value() != position) {
            const QSignalBlocker quiet(slot.bar);
            slot.bar->setRange(0, range);
            slot.bar->setValue(position);
        }
        slot.box->show();
    }
    UpdateButtons();
}

void CSliderBar::UpdateButtons() {
    pageBack_->setEnabled(offset_ > 0);
    back_->setEnabled(offset_ > 0);
    forward_->setEnabled(offset_ + kSlotCount < Count());
    pageForward_->setEnabled(offset_ + kSlotCount < Count());
}

void CSliderBar::OnAction(int k, int action) {
    if (offset_ + k >= Count())
        return;
    CVarItem& item = *items_[static_cast<std::size_t>(offset_ + k)];
    QScrollBar* bar = slots_[static_cast<std::size_t>(k)].bar;
    const SliderMove move = MoveOf(action);
    if (move == SliderMove::Other)
        return;
    Q_EMIT ItemMoved(&item);
    const SliderScale scale = ScaleOf(item);
    const uint32_t value = MoveSlider(scale, item.ShownValue(), move, bar->sliderPosition());
    // One write with the item's write macros; a refused write is not reported here.
    item.DepositValue(value);
    item.Write();
    bar->setSliderPosition(scale.Position(item.ShownValue()));
}

} // namespace vek
