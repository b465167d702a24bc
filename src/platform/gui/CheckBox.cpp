#include <fw/CheckBox.h>

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
    auto* box = new QCheckBox(parent);
    QObject::connect(box, &QCheckBox::clicked, [this](bool checked) { userToggled(checked); });
    return box;
}

QCheckBox* CheckBox::checkBoxWidget() const
{
    return widgetAs<QCheckBox>();
}

void CheckBox::applyToWidget()
{
    applyToCheckBox();
    TextControl::applyToWidget();
}

void CheckBox::applyToCheckBox()
{
    QCheckBox* box = checkBoxWidget();
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
    if (QCheckBox* box = checkBoxWidget(); box && box->isEnabled() && box->isVisibleTo(box->window()))
        box->click();
}

}
