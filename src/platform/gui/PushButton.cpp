#include <fw/PushButton.h>

#include "gui/RectControlPrivate.h"

#include <QPushButton>

namespace fw {

namespace {

QPushButton* QtButtonOf(const PushButton& control)
{
    return control.d().widgetAs<QPushButton>();
}

}

const ClassInfo& PushButton::StaticClass()
{
    static const ClassInfo info("PushButton", &TextControl::StaticClass(), FactoryOf<PushButton>(),
        {
            DeclareProperty("Caption", &PushButton::setCaption),
            DeclareProperty("Default", &PushButton::setDefault),
            // Escape belongs to the run in progress (UserCancelled): it presses no button.
            DeclareKeptProperty("Cancel", PropertyType::Boolean),
        });
    return info;
}

void PushButton::createWidget()
{
    auto* button = d().make<QPushButton>();
    // Return is the window's business: it presses the first default button.
    button->setAutoDefault(false);
    // The focus comes to a button from Tab alone: a click leaves it where the user put it.
    button->setFocusPolicy(Qt::TabFocus);
    QObject::connect(button, &QPushButton::clicked, [this] { raiseEvent("Action"); });
}

void PushButton::applyToWidget()
{
    applyToButton();
    TextControl::applyToWidget();
}

void PushButton::applyToButton()
{
    if (QPushButton* button = QtButtonOf(*this))
        button->setText(QString::fromStdString(m_caption));
}

void PushButton::setCaption(const std::string& caption)
{
    m_caption = caption;
    applyToButton();
}

void PushButton::push()
{
    if (QPushButton* button = QtButtonOf(*this); button && button->isEnabled() && button->isVisibleTo(button->window()))
        button->click();
}

bool PushButton::pressAsDefault(Badge<WindowPrivate>)
{
    if (!isDefault() || !enabled() || !visible())
        return false;
    push();
    return true;
}

}
