#include "ui/tree/branch_style.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStyleOption>

namespace vek {

BranchStyle& BranchStyle::Shared() {
    static QPointer<BranchStyle> style;
    if (style.isNull()) {
        style = new BranchStyle;
        style->setParent(QCoreApplication::instance());
    }
    return *style;
}

void BranchStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (element != PE_IndicatorBranch || !option->state.testFlag(State_Selected)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Styles draw the symbol in one of the foreground colours; all of them take the selection's.
    QStyleOption selected(*option);
    const QColor text = option->palette.color(QPalette::HighlightedText);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        selected.palette.setColor(role, text);
    QProxyStyle::drawPrimitive(element, &selected, painter, widget);
}

} // namespace vek
