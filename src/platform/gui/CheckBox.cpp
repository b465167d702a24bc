#include <fw/CheckBox.h>

#include "gui/RectControlPrivate.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace fw {

namespace {

QCheckBox* QtCheckBoxOf(const CheckBox& control)
{
    return control.d().widgetAs<QCheckBox>();
}

}

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

void CheckBox::createWidget()
{
    auto* box = d().make<QCheckBox>();
    QObject::connect(box, &QCheckBox::clicked, [this](bool checked) { userToggled(checked); });
}

void CheckBox::applyToWidget()
{
    applyToCheckBox();
    TextControl::applyToWidget();
}

void CheckBox::applyToCheckBox()
{
    QCheckBox* box = QtCheckBoxOf(*this);
    if (!box)
        return;
    box->setText(QString::fromStdString(m_caption));
    // A value set from code raises no Action.
    QSignalBlocker quiet(box);
    box->setTristate(m_state == Indeterminate);
    box->setCheckState(m_state == Checked ? Qt::Checked : (m_state == Indeterminate ? Qt::PartiallyChecked : Qt::Unchecked));
}

void CheckBox::userToggled(bool checked)
{
    m_state = checked ? Checked : Unchecked;
    raiseEvent("Action");
}

void CheckBox::setState(std::int32_t state)
{
    m_state = state == Checked || state == Indeterminate ? state : Unchecked;
    applyToCheckBox();
}

void CheckBox::setCaption(const std::string& caption)
{
    m_caption = caption;
    applyToCheckBox();
}

void CheckBox::click()
{
    if (QCheckBox* box = QtCheckBoxOf(*this); box && box->isEnabled() && box->isVisibleTo(box->window()))
        box->click();
}

}
