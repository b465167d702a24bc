#include "gui/PopupMenuStyle.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOptionComplex>

namespace fw {

PopupMenuStyle::PopupMenuStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
}

QRect PopupMenuStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part, const QWidget* widget) const
{
    QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox || (part != SC_ComboBoxArrow && part != SC_ComboBoxEditField))
        return rect;
    const QRect baseArrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
    if (baseArrow.width() <= kArrowWidth)
        return rect;
    // The arrow keeps its outer edge and gives up the rest of its width to the text.
    const int gained = baseArrow.width() - kArrowWidth;
    const bool arrowOnRight = option->direction != Qt::RightToLeft;
    if (part == SC_ComboBoxArrow)
        return arrowOnRight ? rect.adjusted(gained, 0, 0, 0) : rect.adjusted(0, 0, -gained, 0);
    return arrowOnRight ? rect.adjusted(0, 0, gained, 0) : rect.adjusted(-gained, 0, 0, 0);
}

}
