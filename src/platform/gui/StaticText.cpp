#include <fw/StaticText.h>

#include "gui/RectControlPrivate.h"

#include <QLabel>

namespace fw {

namespace {

QLabel* QtLabelOf(const StaticText& control)
{
    return control.d().widgetAs<QLabel>();
}

QString ScreenText(const std::string& text)
{
    QString screen = QString::fromStdString(text);
    screen.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    screen.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return screen;
}

// Several lines start at the top; one line sits in the middle of its box, so that a face taller
// than the box loses no more of its descenders than of the space above its capitals.
Qt::Alignment AlignmentFor(std::int32_t code, bool multiLine)
{
    Qt::Alignment vertical = multiLine ? Qt::AlignTop : Qt::AlignVCenter;
    switch (code) {
    case 2:
        return Qt::AlignHCenter | vertical;
    case 3:
        return Qt::AlignRight | vertical;
    default:
        return Qt::AlignLeft | vertical;
    }
}

}

const ClassInfo& StaticText::StaticClass()
{
    static const ClassInfo info("StaticText", &TextControl::StaticClass(), FactoryOf<StaticText>(),
        {
            DeclareProperty("Text", &StaticText::setText),
            DeclareProperty("TextAlign", &StaticText::setTextAlign),
            DeclareProperty("TextColor", &StaticText::setTextColor),
            DeclareProperty("MultiLine", &StaticText::setMultiLine),
            DeclareKeptProperty("DataSource", PropertyType::String),
            DeclareKeptProperty("DataField", PropertyType::String),
        });
    return info;
}

void StaticText::createWidget()
{
    auto* label = d().make<QLabel>();
    label->setTextFormat(Qt::PlainText);
}

void StaticText::applyToWidget()
{
    applyToLabel();
    TextControl::applyToWidget();
}

void StaticText::applyToLabel()
{
    QLabel* label = QtLabelOf(*this);
    if (!label)
        return;
    label->setText(ScreenText(m_text));
    label->setAlignment(AlignmentFor(m_align, m_multiLine));
    label->setWordWrap(m_multiLine);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(m_textColor.red, m_textColor.green, m_textColor.blue));
    label->setPalette(palette);
}

void StaticText::setText(const std::string& text)
{
    m_text = text;
    applyToLabel();
}

void StaticText::setTextAlign(std::int32_t align)
{
    m_align = align;
    applyToLabel();
}

void StaticText::setTextColor(Color color)
{
    m_textColor = color;
    applyToLabel();
}

void StaticText::setMultiLine(bool multiLine)
{
    m_multiLine = multiLine;
    applyToLabel();
}

}
