#include "CheckBox.h"

#include "HandlerCall.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace fw {

const ClassInfo& CheckBox::StaticClass()
{
    static const ClassInfo info("CheckBox", &TextControl::StaticClass(), FactoryOf<CheckBox>(),
        {
            DeclareProperty("Caption", &CheckBox::setCaption),
            DeclareProperty("State", &CheckBox::setState),
            DeclareProperty("Value", &CheckBox::setValue),
            DeclareKeptProperty("DataSource", PropertyType::String),
            DeclareKeptProperty("DataField", PropertyType::String),
        });
    return info;
}

QWidget* CheckBox::createWidget(QWidget* parent)
{
    auto* box = new QCheckBox(QString::fromStdString(m_caption), parent);
    QObject::connect(box, &QCheckBox::clicked, [this](bool checked) { userToggled(checked); });
    return box;
}

void CheckBox::userToggled(bool checked)
{
    m_state = checked ? Checked : Unchecked;
    CallHandler([this] { raiseEvent("Action"); });
}

void CheckBox::setState(std::int32_t state)
{
    m_state = state == Checked || state == Indeterminate ? state : Unchecked;
    if (auto* box = static_cast<QCheckBox*>(widget())) {
        QSignalBlocker quiet(box);
        box->setTristate(m_state == Indeterminate);
        box->setCheckState(m_state == Checked ? Qt::Checked : m_state == Indeterminate ? Qt::PartiallyChecked : Qt::Unchecked);
    }
}

void CheckBox::setCaption(const std::string& caption)
{
    m_caption = caption;
    if (auto* box = static_cast<QCheckBox*>(widget()))
        box->setText(QString::fromStdString(caption));
}

void CheckBox::click()
{
    if (auto* box = static_cast<QCheckBox*>(widget()); box && box->isEnabled() && box->isVisibleTo(box->window()))
        box->click();
}

}
