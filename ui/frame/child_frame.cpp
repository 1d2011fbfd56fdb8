#include "ui/frame/child_frame.h"

#include <QIcon>

namespace vek {

CChildFrame::CChildFrame(WindowKind kind, CommandTarget* document)
    : kind_(kind), document_(document) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/icons/tarvel.svg")));
}

CChildFrame::~CChildFrame() {
    Q_EMIT Destroying(this);
}

MenuBarId CChildFrame::MenuBar() const {
    switch (kind_) {
    case WindowKind::Tree:
        return MenuBarId::Tree;
    case WindowKind::List:
        return MenuBarId::List;
    case WindowKind::Output:
    case WindowKind::Source:
        return MenuBarId::Output;
    }
    return MenuBarId::Tree;
}

} // namespace vek
