#pragma once

#include <QProxyStyle>

namespace fw {

// The platform's look for a pop-up menu, with a narrower drop-down arrow, so that the fixed
// layout's rows show whole at their listed widths.
class PopupMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    PopupMenuStyle();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part, const QWidget* widget) const override;

    static constexpr int kArrowWidth = 13;
};

}
