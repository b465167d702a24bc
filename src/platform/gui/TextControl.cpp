#include <fw/TextControl.h>

#include "gui/RectControlPrivate.h"
#include "gui/TextFont.h"

#include <QFont>

namespace fw {

const ClassInfo& TextControl::StaticClass()
{
    static const ClassInfo info("TextControl", &RectControl::StaticClass(), nullptr,
        {
            DeclareProperty("TextFont", &TextControl::setTextFont),
            DeclareProperty("Bold", &TextControl::setBold),
            DeclareProperty("Italic", &TextControl::setItalic),
            DeclareProperty("Underline", &TextControl::setUnderline),
        });
    return info;
}

void TextControl::applyToWidget()
{
    applyStyle();
    RectControl::applyToWidget();
}

void TextControl::applyStyle()
{
    if (QWidget* widget = WidgetOf(*this))
        widget->setFont(TextFont(m_style));
    // A pop-up menu's least height follows its font.
    applyGeometry();
}

void TextControl::setTextSize(float size)
{
    m_style.size = size;
    applyStyle();
}

void TextControl::setTextUnit(std::int32_t unit)
{
    m_style.unit = unit;
    applyStyle();
}

void TextControl::setTextFont(const std::string& font)
{
    m_style.font = font;
    applyStyle();
}

void TextControl::setBold(bool bold)
{
    m_style.bold = bold;
    applyStyle();
}

void TextControl::setItalic(bool italic)
{
    m_style.italic = italic;
    applyStyle();
}

void TextControl::setUnderline(bool underline)
{
    m_style.underline = underline;
    applyStyle();
}

}
