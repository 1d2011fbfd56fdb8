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

} // namespace

ItemImages::ItemImages() : bookmark_(QStringLiteral(":/items/bookmark.svg")) {
    const QPixmap mark = Render(bookmark_);
    for (int i = 0; i < kCount; ++i) {
        plain_[static_cast<std::size_t>(i)] = QIcon(ImagePath(i));
        QPixmap both = Render(plain_[static_cast<std::size_t>(i)]);
        QPainter painter(&both);
        painter.drawPixmap(0, 0, mark);
        painter.end();
        marked_[static_cast<std::size_t>(i)] = QIcon(both);
    }
}

const QIcon& ItemImages::Icon(int image, bool bookmarked) const {
    if (image < 0 || image >= kCount)
        return bookmark_;
    const auto i = static_cast<std::size_t>(image);
    return bookmarked ? marked_[i] : plain_[i];
}

} // namespace vek
