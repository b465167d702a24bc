#include <fw/Control.h>

#include "gui/RectControlPrivate.h"
#include "gui/WindowPrivate.h"
#include "loop/HandlerCall.h"
#include <fw/Exceptions.h>
#include <fw/Window.h>

#include <QWidget>

#include <algorithm>

namespace fw {

const ClassInfo& Control::StaticClass()
{
    static const ClassInfo info("Control", &Object::StaticClass(), nullptr,
        {
            DeclareProperty("Name", &Control::setName),
            DeclareProperty("Index", &Control::setIndex),
            DeclareKeptProperty("TabPanelIndex", PropertyType::Int32),
        });
    return info;
}

void Control::installEventHandler(const std::string& eventName, EventHandler handler)
{
    for (auto& [name, existing] : m_handlers) {
        if (name == eventName) {
            existing = std::move(handler);
            return;
        }
    }
    m_handlers.emplace_back(eventName, std::move(handler));
}

void Control::raiseEvent(std::string_view eventName)
{
    auto bound = std::find_if(m_handlers.begin(), m_handlers.end(), [&](const auto& entry) { return entry.first == eventName; });
    if (bound == m_handlers.end())
        return;
    // The handler may close the window or replace itself: the control, its window and the handler
    // stay until it returns.
    Ref<Control> keepControl(this);
    Ref<Window> keepWindow(m_window);
    EventHandler handler = bound->second;
    CallHandler([&] { handler(*this); });
}

const ClassInfo& RectControl::StaticClass()
{
    static const ClassInfo info("RectControl", &Control::StaticClass(), nullptr,
        {
            DeclareProperty("Left", &RectControl::setLeft),
            DeclareProperty("Top", &RectControl::setTop),
            DeclareProperty("Width", &RectControl::setWidth),
            DeclareProperty("Height", &RectControl::setHeight),
            DeclareKeptProperty("LockLeft", PropertyType::Boolean),
            DeclareKeptProperty("LockTop", PropertyType::Boolean),
            DeclareKeptProperty("LockRight", PropertyType::Boolean),
            DeclareKeptProperty("LockBottom", PropertyType::Boolean),
            DeclareKeptProperty("TabIndex", PropertyType::Int32),
            DeclareKeptProperty("TabStop", PropertyType::Boolean),
            DeclareProperty("Visible", &RectControl::setVisible),
            DeclareProperty("Enabled", &RectControl::setEnabled),
            DeclareKeptProperty("HelpTag", PropertyType::String),
            DeclareKeptProperty("AutoDeactivate", PropertyType::Boolean),
            DeclareProperty("InitialParent", &RectControl::setInitialParent),
        });
    return info;
}

RectControl::RectControl()
    : m_d(std::make_unique<RectControlPrivate>(*this))
{
}

RectControl::~RectControl() = default;

void RectControl::Constructor()
{
    Window* owner = NotNil(window(), "the control's window");
    NotNil(WidgetOf(*owner), "the control's window");
    if (m_d->widget())
        return;
    createWidget();
    applyToWidget();
}

void RectControl::applyToWidget()
{
    applyParent();
    applyGeometry();
    applyEnabled();
    applyVisible();
}

void RectControl::detachFromWindow(Badge<WindowPrivate> badge)
{
    // The window's widget tree deletes the widget.
    m_d->release();
    Control::detachFromWindow(badge);
}

QWidget* WidgetOf(const RectControl& control)
{
    return control.d().widget();
}

RectControl* RectControlPrivate::holder() const
{
    Window* window = m_control.window();
    if (m_control.initialParent().empty() || !window)
        return nullptr;
    auto parent = RuntimeCheckCast<RectControl>(window->controlByName(m_control.initialParent()));
    return parent && parent.get() != &m_control && WidgetOf(*parent) ? parent.get() : nullptr;
}

QWidget* RectControlPrivate::parentWidget() const
{
    Window* window = m_control.window();
    if (!window || !WidgetOf(*window))
        return nullptr;
    if (RectControl* parent = holder())
        return WidgetOf(*parent);
    return WidgetOf(*window)->content();
}

void RectControl::applyParent()
{
    QWidget* widget = m_d->widget();
    if (!widget)
        return;
    QWidget* parent = m_d->parentWidget();
    if (parent && widget->parentWidget() != parent)
        widget->setParent(parent);
}

void RectControl::applyGeometry()
{
    QWidget* widget = m_d->widget();
    if (!widget)
        return;
    // Left and Top are in the window's coordinates, also for a control that another one holds.
    std::int32_t originLeft = 0;
    std::int32_t originTop = 0;
    if (RectControl* parent = m_d->holder(); parent && widget->parentWidget() == WidgetOf(*parent)) {
        originLeft = parent->widgetLeft();
        originTop = parent->widgetTop();
    }
    widget->setGeometry(widgetLeft() - originLeft, widgetTop() - originTop, widgetWidth(), widgetHeight());
    widget->update();
}

void RectControl::applyEnabled()
{
    QWidget* widget = m_d->widget();
    if (!widget)
        return;
    if (!m_enabled)
        releaseFocus();
    widget->setEnabled(m_enabled);
}

void RectControl::releaseFocus()
{
    // Qt would pass the focus on to the next control, and the next key meant for this one would
    // press that: the window keeps it instead.
    QWidget* widget = m_d->widget();
    QWidget* top = widget ? widget->window() : nullptr;
    QWidget* focus = top ? top->focusWidget() : nullptr;
    if (focus && (focus == widget || widget->isAncestorOf(focus)))
        top->setFocus(Qt::OtherFocusReason);
}

void RectControl::setLeft(std::int32_t left)
{
    m_left = left;
    applyGeometry();
}

void RectControl::setTop(std::int32_t top)
{
    m_top = top;
    applyGeometry();
}

void RectControl::setWidth(std::int32_t width)
{
    m_width = std::max(width, 0);
    applyGeometry();
}

void RectControl::setHeight(std::int32_t height)
{
    m_height = std::max(height, 0);
    applyGeometry();
}

void RectControl::applyVisible()
{
    QWidget* widget = m_d->widget();
    if (!widget)
        return;
    if (!m_visible)
        releaseFocus();
    widget->setVisible(m_visible);
}

void RectControl::setVisible(bool visible)
{
    m_visible = visible;
    applyVisible();
}

void RectControl::setEnabled(bool enabled)
{
    m_enabled = enabled;
    applyEnabled();
}

void RectControl::setInitialParent(const std::string& parentName)
{
    m_initialParent = parentName;
    applyParent();
    applyGeometry();
    // A widget that changes parent is hidden until it is shown again.
    applyVisible();
}

void RectControl::Refresh(bool)
{
    if (QWidget* widget = m_d->widget())
        widget->repaint();
}
}
