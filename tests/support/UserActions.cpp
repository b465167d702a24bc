#include "support/UserActions.h"

#include "gui/MessageBoxes.h"
#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowWidget.h"
#include <fw/Control.h>
#include <fw/PopupMenu.h>
#include <fw/Runtime.h>
#include <fw/Slider.h>
#include <fw/TextField.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace user_actions {

std::string ShortName(const fw::Window& window)
{
    const std::string& name = window.classInfo().name();
    return name.substr(0, name.find('.'));
}

fw::Ref<fw::Window> OpenWindowNamed(const std::string& name)
{
    for (const fw::Ref<fw::Window>& window : fw::OpenWindows()) {
        if (ShortName(*window) == name)
            return window;
    }
    return {};
}

void PressAt(const fw::Window& window, QPoint point)
{
    QWidget* content = fw::WidgetOf(window)->content();
    QWidget* target = content->childAt(point);
    if (!target)
        target = content;
    QTest::mousePress(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(content, point));
    QTest::mouseRelease(target, Qt::LeftButton, Qt::NoModifier, target->mapFrom(content, point));
}

void TypeKey(const fw::Window& window, QKeyCombination key)
{
    QWidget* receiver = fw::ShowingMessageBox();
    if (!receiver)
        receiver = fw::WidgetOf(window);
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != receiver)
        target = receiver;
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
}

bool ChooseMenuItemAsUser(const fw::Window& owner, const std::string& itemName)
{
    // The item's menu opens, which raises EnableMenuItems, and Return chooses the item, so that
    // its handler runs behind the same boundary as a real choice.
    auto* action = fw::WidgetOf(owner)->findChild<QAction*>(QString::fromStdString(itemName));
    auto* menu = action ? qobject_cast<QMenu*>(action->parent()) : nullptr;
    if (!menu)
        return false;
    menu->popup(fw::WidgetOf(owner)->mapToGlobal(QPoint(0, 0)));
    menu->setActiveAction(action);
    QTest::keyClick(menu, Qt::Key_Return);
    return true;
}

bool ClickOkOnMessageBox()
{
    QMessageBox* box = fw::ShowingMessageBox();
    if (!box)
        return false;
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    return true;
}

std::optional<std::string> WhyUnreachable(const fw::RectControl& control)
{
    if (!control.visible())
        return "hidden";
    if (!control.enabled())
        return "disabled";
    return std::nullopt;
}

void TypeInto(fw::TextField& field, const std::string& text)
{
    field.type(text);
}

bool ChooseRow(fw::PopupMenu& menu, const std::string& row)
{
    return menu.choose(row);
}

void SlideTo(fw::Slider& slider, std::int32_t value)
{
    slider.slideTo(std::clamp(value, slider.minimum(), slider.maximum()));
}

}
