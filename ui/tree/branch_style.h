#pragma once

#include <QProxyStyle>

namespace vek {

// The tree's style: a selected row's node symbol is drawn in the selection's text colour, so that
// it stands out on the selection colour as the row's text does.
class BranchStyle : public QProxyStyle {
    Q_OBJECT

public:
    // The one instance, owned by the application, which outlives every tree.
    static BranchStyle& Shared();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

} // namespace vek
