#include "TextField.h"

#include "HandlerCall.h"

#include <QLineEdit>

namespace fw {

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

QWidget* TextField::createWidget(QWidget* parent)
{
    auto* field = new QLineEdit(QString::fromStdString(m_text), parent);
    QObject::connect(field, &QLineEdit::textEdited, [this](const QString& text) {
        m_text = text.toStdString();
        CallHandler([this] { raiseEvent("TextChange"); });
    });
    return field;
}

std::string TextField::Text() const
{
    return m_text;
}

void TextField::setText(const std::string& text)
{
    m_text = text;
    if (auto* field = static_cast<QLineEdit*>(widget()); field && field->text().toStdString() != text)
        field->setText(QString::fromStdString(text));
}

void TextField::type(const std::string& text)
{
    auto* field = static_cast<QLineEdit*>(widget());
    if (!field || !field->isEnabled() || field->isReadOnly())
        return;
    field->selectAll();
    field->insert(QString::fromStdString(text));
    m_text = field->text().toStdString();
    CallHandler([this] { raiseEvent("TextChange"); });
}

void TextField::applyColors()
{
    if (auto* field = static_cast<QLineEdit*>(widget())) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, QColor(m_backColor.red, m_backColor.green, m_backColor.blue));
        palette.setColor(QPalette::Text, QColor(m_textColor.red, m_textColor.green, m_textColor.blue));
        field->setPalette(palette);
    }
}

void TextField::setBackColor(Color color)
{
    m_backColor = color;
    applyColors();
}

void TextField::setTextColor(Color color)
{
    m_textColor = color;
    applyColors();
}

void TextField::setBorder(bool border)
{
    m_border = border;
    if (auto* field = static_cast<QLineEdit*>(widget()))
        field->setFrame(border);
}

void TextField::setPassword(bool password)
{
    m_password = password;
    if (auto* field = static_cast<QLineEdit*>(widget()))
        field->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
}

void TextField::setCueText(const std::string& cue)
{
    m_cueText = cue;
    if (auto* field = static_cast<QLineEdit*>(widget()))
        field->setPlaceholderText(QString::fromStdString(cue));
}

void TextField::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (auto* field = static_cast<QLineEdit*>(widget()))
        field->setReadOnly(readOnly);
}

void TextField::setLimitText(std::int32_t limit)
{
    m_limit = limit;
    if (auto* field = static_cast<QLineEdit*>(widget()))
        field->setMaxLength(limit > 0 ? limit : 32767);
}

void TextField::setAlignment(std::int32_t alignment)
{
    m_alignment = alignment;
    if (auto* field = static_cast<QLineEdit*>(widget()))
        field->setAlignment(alignment == 2 ? Qt::AlignCenter : alignment == 3 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
}

}
