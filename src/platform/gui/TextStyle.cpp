#include <fw/TextStyle.h>

#include <QApplication>
#include <QFont>
#include <QWidget>

#include <cmath>

namespace fw {

void TextStyle::applyTo(QWidget* widget) const
{
    if (!widget)
        return;
    QFont face = QApplication::font();
    if (!font.empty() && font != "System") {
        face.setFamilies({ QString::fromStdString(font) });
        face.setStyleHint(QFont::SansSerif);
    }
    if (size > 0) {
        int pixels = std::max(1, int(std::lround(size)));
        if (unit == 0 || unit == 1)
            face.setPixelSize(pixels);
        else
            face.setPointSizeF(size);
    }
    face.setBold(bold);
    face.setItalic(italic);
    face.setUnderline(underline);
    widget->setFont(face);
}

}
