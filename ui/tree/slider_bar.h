#pragma once

#include <QWidget>

#include <array>
#include <vector>

class QGroupBox;
class QPushButton;
class QScrollBar;

namespace vek {

class CVarItem;

// The slider bar on the right edge of a register tree window: four horizontal sliders, each in a
// box captioned with its item's name, for the items that the description offers on the bar, and
// "<<", "<", ">", ">>" to scroll through them. Moving a slider sets its item's value and writes
// it to the device at once; a refused write leaves only the register's own error text.
class CSliderBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kSlotCount = 4;

    explicit CSliderBar(QWidget* parent);

    // Adds an item at the end; the first one shows the bar.
    void AddSliderItem(CVarItem& item);
    int Count() const { return static_cast<int>(items_.size()); }
    int Offset() const { return offset_; }
    // Moves the first item shown by delta, kept between 0 and count - 4.
    void Scroll(int delta);
    // Brings every slot up to date with its item: caption, range, position and whether it can
    // move (a known value that is not being edited).
    void UpdateSlots();

    QScrollBar* Slider(int k) const { return slots_[static_cast<std::size_t>(k)].bar; }
    QGroupBox* SlotBox(int k) const { return slots_[static_cast<std::size_t>(k)].box; }
    QPushButton* ScrollButton(int delta) const;

Q_SIGNALS:
    // A slider moved its item: the tree shows the item's row when it can.
    void ItemMoved(vek::CVarItem* item);
    // The bar was shown by its first item.
    void LayoutChanged();

private:
    struct Slot {
        QGroupBox* box = nullptr;
        QScrollBar* bar = nullptr;
    };
    void OnAction(int k, int action);
    void UpdateButtons();

    std::vector<CVarItem*> items_;
    int offset_ = 0;
    std::array<Slot, kSlotCount> slots_{};
    QPushButton* pageBack_;
    QPushButton* back_;
    QPushButton* forward_;
    QPushButton* pageForward_;
};

} // namespace vek
