#include "ui/tree/item_images.h"

#include "model/line_item.h"

#include <QPainter>
#include <QPixmap>

namespace vek {

namespace {

QString ImagePath(int image) {
    // Each kind shows one image for both of its pair, but a set shows an open folder as its
    // alternative, which its row gets while it is expanded.
    switch (image) {
    case item_icon::Device:
    case item_icon::Device + 1:
        return QStringLiteral(":/items/device.svg");
    case item_icon::Set:
        return QStringLiteral(":/items/set.svg");
    case item_icon::Set + 1:
        return QStringLiteral(":/items/set_open.svg");
    case item_icon::Variable:
    case item_icon::Variable + 1:
        return QStringLiteral(":/items/variable.svg");
    case item_icon::Register:
    case item_icon::Register + 1:
        return QStringLiteral(":/items/register.svg");
    case item_icon::JointRegister:
    case item_icon::JointRegister + 1:
        return QStringLiteral(":/items/joint_register.svg");
    case item_icon::BitField:
    case item_icon::BitField + 1:
        return QStringLiteral(":/items/bit_field.svg");
    case item_icon::TextLine:
        return QStringLiteral(":/items/text_line.svg");
    default:
        return QStringLiteral(":/items/common.svg");
    }
}

QPixmap Render(const QIcon& icon) {
    return icon.pixmap(ItemImages::kSize, ItemImages::kSize);
}

// A red "!" along the right edge: the register's read changes the chip.
void DrawReadMark(QPainter& painter) {
    const QColor red(0xd0, 0x10, 0x10);
    painter.fillRect(12, 1, 3, 9, red);
    painter.fillRect(12, 12, 3, 3, red);
}

} // namespace

ItemImages::ItemImages() : bookmark_(QStringLiteral(":/items/bookmark.svg")) {
    const QPixmap mark = Render(bookmark_);
    for (int i = 0; i < kCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const QIcon plain(ImagePath(i));
        for (std::size_t variant = 0; variant < drawn_.size(); ++variant) {
            if (variant == 0) {
                drawn_[variant][index] = plain;
                continue;
            }
            QPixmap image = Render(plain);
            QPainter painter(&image);
            if ((variant & 1) != 0)
                painter.drawPixmap(0, 0, mark);
            if ((variant & 2) != 0)
                DrawReadMark(painter);
            painter.end();
            drawn_[variant][index] = QIcon(image);
        }
    }
}

const QIcon& ItemImages::Icon(int image, bool bookmarked, bool readEffects) const {
    if (image < 0 || image >= kCount)
        return bookmark_;
    const std::size_t variant = (bookmarked ? 1 : 0) | (readEffects ? 2 : 0);
    return drawn_[variant][static_cast<std::size_t>(image)];
}

} // namespace vek
