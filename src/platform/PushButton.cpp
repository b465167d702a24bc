#include "PushButton.h"

#include "HandlerCall.h"

#include <QPushButton>

namespace fw {

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

QWidget* PushButton::createWidget(QWidget* parent)
{
    auto* button = new QPushButton(QString::fromStdString(m_caption), parent);
    // Return is the window's business: it presses the first default button.
    button->setAutoDefault(false);
    // The focus comes to a button from Tab alone: a click leaves it where the user put it.
    button->setFocusPolicy(Qt::TabFocus);
    QObject::connect(button, &QPushButton::clicked, [this] { CallHandler([this] { raiseEvent("Action"); }); });
    return button;
}

void PushButton::setCaption(const std::string& caption)
{
    m_caption = caption;
    if (auto* button = static_cast<QPushButton*>(widget()))
        button->setText(QString::fromStdString(caption));
}

void PushButton::push()
{
    if (auto* button = static_cast<QPushButton*>(widget()); button && button->isEnabled() && button->isVisibleTo(button->window()))
        button->click();
}

}
