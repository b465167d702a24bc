#include <fw/TextField.h>

#include "gui/RectControlPrivate.h"

#include <QLineEdit>

namespace fw {

namespace {

QLineEdit* QtFieldOf(const TextField& control)
{
    return control.d().widgetAs<QLineEdit>();
}

Qt::Alignment AlignmentFor(std::int32_t code)
{
    switch (code) {
    case 2:
        return Qt::AlignCenter;
    case 3:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}

const ClassInfo& TextField::StaticClass()
{
    static const ClassInfo info("TextField", &TextControl::StaticClass(), FactoryOf<TextField>(),
        {
            DeclareProperty("Text", &TextField::setText),
            DeclareProperty("BackColor", &TextField::setBackColor),
            DeclareProperty("TextColor", &TextField::setTextColor),
            DeclareProperty("Border", &TextField::setBorder),
            DeclareProperty("Password", &TextField::setPassword),
            DeclareKeptProperty("UseFocusRing", PropertyType::Boolean),
            DeclareKeptProperty("Format", PropertyType::String),
            DeclareProperty("CueText", &TextField::setCueText),
            DeclareKeptProperty("Mask", PropertyType::String),
            DeclareProperty("ReadOnly", &TextField::setReadOnly),
            DeclareProperty("LimitText", &TextField::setLimitText),
            DeclareKeptProperty("AcceptTabs", PropertyType::Boolean),
            DeclareProperty("Alignment", &TextField::setAlignment),
            DeclareKeptProperty("DataSource", PropertyType::String),
            DeclareKeptProperty("DataField", PropertyType::String),
        });
    return info;
}

void TextField::createWidget()
{
    auto* field = d().make<QLineEdit>();
    QObject::connect(field, &QLineEdit::textEdited, [this](const QString& text) {
        m_text = text.toStdString();
        raiseEvent("TextChange");
    });
}

void TextField::applyToWidget()
{
    applyToField();
    TextControl::applyToWidget();
}

void TextField::applyToField()
{
    QLineEdit* field = QtFieldOf(*this);
    if (!field)
        return;
    applyText();
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QColor(m_backColor.red, m_backColor.green, m_backColor.blue));
    palette.setColor(QPalette::Text, QColor(m_textColor.red, m_textColor.green, m_textColor.blue));
    field->setPalette(palette);
    field->setFrame(m_border);
    field->setEchoMode(m_password ? QLineEdit::Password : QLineEdit::Normal);
    field->setPlaceholderText(QString::fromStdString(m_cueText));
    field->setReadOnly(m_readOnly);
    field->setMaxLength(m_limit > 0 ? m_limit : 32767);
    field->setAlignment(AlignmentFor(m_alignment));
}

void TextField::applyText()
{
    // Setting the same text again would move the user's cursor.
    if (QLineEdit* field = QtFieldOf(*this); field && field->text().toStdString() != m_text)
        field->setText(QString::fromStdString(m_text));
}

std::string TextField::Text() const
{
    return m_text;
}

void TextField::setText(const std::string& text)
{
    m_text = text;
    applyText();
}

void TextField::type(const std::string& text)
{
    QLineEdit* field = QtFieldOf(*this);
    if (!field || !field->isEnabled() || field->isReadOnly())
        return;
    field->selectAll();
    field->insert(QString::fromStdString(text));
    m_text = field->text().toStdString();
    raiseEvent("TextChange");
}

void TextField::setBackColor(Color color)
{
    m_backColor = color;
    applyToField();
}

void TextField::setTextColor(Color color)
{
    m_textColor = color;
    applyToField();
}

void TextField::setBorder(bool border)
{
    m_border = border;
    applyToField();
}

void TextField::setPassword(bool password)
{
    m_password = password;
    applyToField();
}

void TextField::setCueText(const std::string& cue)
{
    m_cueText = cue;
    applyToField();
}

void TextField::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    applyToField();
}

void TextField::setLimitText(std::int32_t limit)
{
    m_limit = limit;
    applyToField();
}

void TextField::setAlignment(std::int32_t alignment)
{
    m_alignment = alignment;
    applyToField();
}

}
