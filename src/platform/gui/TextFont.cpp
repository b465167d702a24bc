#include "gui/TextFont.h"

#include <QApplication>
#include <QFont>

#include <cmath>

namespace fw {

QFont TextFont(const TextStyle& style)
{
    QFont face = QApplication::font();
    if (!style.font.empty() && style.font != "System") {
        face.setFamilies({ QString::fromStdString(style.font) });
        face.setStyleHint(QFont::SansSerif);
    }
    if (style.size > 0) {
        int pixels = std::max(1, int(std::lround(style.size)));
        if (style.unit == 0 || style.unit == 1)
            face.setPixelSize(pixels);
        else
            face.setPointSizeF(style.size);
    }
    face.setBold(style.bold);
    face.setItalic(style.italic);
    face.setUnderline(style.underline);
    return face;
}

}
