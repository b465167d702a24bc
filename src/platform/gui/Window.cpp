#include <fw/Window.h>

#include "core/FrameworkObserver.h"
#include "gui/ApplicationMenus.h"
#include "gui/Stacking.h"
#include "gui/WindowPrivate.h"
#include "gui/WindowSystem.h"
#include "gui/WindowWidget.h"
#include "loop/EventLoop.h"
#include <fw/Control.h>
#include <fw/Exceptions.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <algorithm>

namespace fw {

namespace {

Qt::WindowFlags FlagsFor(const Window& window)
{
    Qt::WindowFlags flags = window.isFloating() ? Qt::Tool : Qt::Window;
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (window.closeButton())
        flags |= Qt::WindowCloseButtonHint;
    if (window.minimizeButton())
        flags |= Qt::WindowMinimizeButtonHint;
    if (window.maximizeButton() && window.resizeable())
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

}

const ClassInfo& Window::StaticClass()
{
    static const ClassInfo info("Window", &Object::StaticClass(), FactoryOf<Window>(),
        {
            DeclareProperty("Placement", &Window::setPlacement),
            DeclareProperty("Width", &Window::setWidth),
            DeclareProperty("Height", &Window::setHeight),
            DeclareProperty("MinWidth", &Window::setMinWidth),
            DeclareProperty("MinHeight", &Window::setMinHeight),
            DeclareProperty("MaxWidth", &Window::setMaxWidth),
            DeclareProperty("MaxHeight", &Window::setMaxHeight),
            DeclareProperty("Frame", &Window::setFrame),
            DeclareKeptProperty("Composite", PropertyType::Boolean),
            DeclareProperty("HasBackColor", &Window::setHasBackColor),
            DeclareProperty("BackColor", &Window::setBackColor),
            DeclareProperty("Title", &Window::setTitle),
            DeclareProperty("Visible", &Window::setVisible),
            DeclareKeptProperty("FullScreen", PropertyType::Boolean),
            DeclareKeptProperty("MenuBarVisible", PropertyType::Boolean),
            DeclareProperty("CloseButton", &Window::setCloseButton),
            DeclareProperty("Resizeable", &Window::setResizeable),
            DeclareKeptProperty("LiveResize", PropertyType::Boolean),
            DeclareProperty("MaximizeButton", &Window::setMaximizeButton),
            DeclareProperty("MinimizeButton", &Window::setMinimizeButton),
            DeclareKeptProperty("MacProcId", PropertyType::Int32),
        });
    return info;
}

Window::Window()
    : m_d(std::make_unique<WindowPrivate>(*this))
{
}

Window::~Window() = default;

bool Window::isOpen() const
{
    return m_d->isOpen();
}

bool Window::hasBeenShown() const
{
    return m_d->hasBeenShown();
}

void Window::Constructor()
{
    m_d->construct();
}

void Window::Show()
{
    m_d->show();
}

void Window::Close()
{
    if (!m_d->isOpen())
        return;
    Ref<Window> keep(this);
    Event_Close();
    m_d->forget(true);
}

void Window::Refresh(bool)
{
    if (WindowWidget* widget = m_d->widget())
        widget->update();
    m_d->repaintControls();
}

bool Window::Event_MouseDown(std::int32_t, std::int32_t)
{
    return false;
}

Ref<Control> Window::New(const ClassInfo& controlClass)
{
    Ref<Control> control = RuntimeCheckCast<Control>(RuntimeNewObject(controlClass));
    if (!control)
        throw RuntimeException(controlClass.name() + " is not a control class");
    m_d->adopt(*control);
    return control;
}

void Window::NewControl(const ClassInfo& controlClass, const std::string& name)
{
    Ref<Control> control = New(controlClass);
    if (auto rect = RuntimeCheckCast<RectControl>(control))
        rect->Constructor();
    AddControl(name, control);
}

void Window::AddControl(const std::string& name, const Ref<Control>& control)
{
    NotNil(control, "the control to add");
    m_d->adopt(*control);
    control->setName(name);
    m_controls.push_back(control);
}

Ref<Control> Window::controlByName(std::string_view name) const
{
    for (const Ref<Control>& control : m_controls) {
        if (control->name() == name)
            return control;
    }
    return nullptr;
}

void Window::AddMenuHandler(const std::string& itemName, std::function<bool()> handler)
{
    m_menuHandlers.add(itemName, std::move(handler));
}

bool Window::invokeMenuHandler(const std::string& itemName)
{
    return m_menuHandlers.invoke(itemName);
}

void Window::setWidth(std::int32_t width)
{
    m_width = std::max(width, 0);
    if (m_d->widget())
        m_d->widget()->setContentSize(m_width, m_height, !m_resizeable);
}

void Window::setHeight(std::int32_t height)
{
    m_height = std::max(height, 0);
    if (m_d->widget())
        m_d->widget()->setContentSize(m_width, m_height, !m_resizeable);
}

void Window::setHasBackColor(bool value)
{
    m_hasBackColor = value;
    if (m_d->widget())
        m_d->widget()->content()->update();
}

void Window::setBackColor(Color color)
{
    m_backColor = color;
    if (m_d->widget())
        m_d->widget()->content()->update();
}

void Window::setTitle(const std::string& title)
{
    m_title = title;
    if (m_d->widget())
        m_d->widget()->setWindowTitle(QString::fromStdString(title));
}

void Window::setVisible(bool visible)
{
    m_visible = visible;
    if (!m_d->isOpen() || !m_d->widget())
        return;
    if (visible)
        m_d->ensureShown();
    else
        m_d->widget()->hide();
}

Color Window::effectiveBackColor() const
{
    if (m_hasBackColor)
        return m_backColor;
    QColor color = QApplication::palette().color(QPalette::Window);
    return { std::uint8_t(color.red()), std::uint8_t(color.green()), std::uint8_t(color.blue()) };
}

Ref<Window> GetImplicitWindow(std::string_view className)
{
    return WindowSystem::instance().implicitInstance(className);
}

std::vector<Ref<Window>> OpenWindows()
{
    return WindowSystem::instance().openWindows();
}

Ref<Control> RuntimeWindowControlByName(const Ref<Window>& window, std::string_view name)
{
    if (!window)
        return nullptr;
    return window->controlByName(name);
}

WindowWidget* WidgetOf(const Window& window)
{
    return window.d().widget();
}

WindowPrivate::~WindowPrivate()
{
    for (const Ref<Control>& control : m_window.controls())
        control->detachFromWindow({});
    if (m_widget) {
        m_widget->detach();
        m_widget->hide();
        m_widget->deleteLater();
    }
}

void WindowPrivate::construct()
{
    Ref<Window> self(&m_window);
    WindowSystem& windows = WindowSystem::instance();
    windows.setImplicitInstance(m_window.classInfo().name(), self);

    m_widget = new WindowWidget(*this);
    m_widget->setContentSize(m_window.width(), m_window.height(), !m_window.resizeable());
    m_window.Layout();
    m_window.CreateControls();
    m_window.AddMenuHandlers();
    if (m_window.hasMenuHandlers())
        AttachApplicationMenus(*m_widget);
    else
        AttachQuitKey(*m_widget);

    m_open = true;
    windows.addOpenWindow(self);
    Stacking::instance().windowOpened(*m_widget, m_window.isFloating());
    if (m_window.visible())
        ensureShown();
    CurrentFrameworkObserver()->windowOpened(m_window);
    m_window.Event_Open();
}

void WindowPrivate::ensureShown()
{
    if (!m_widget)
        return;
    Stacking& stacking = Stacking::instance();
    if (!m_shownOnce) {
        m_shownOnce = true;
        m_widget->setWindowFlags(FlagsFor(m_window));
        m_widget->setWindowTitle(QString::fromStdString(m_window.title()));
        m_widget->setContentSize(m_window.width(), m_window.height(), !m_window.resizeable());
        if (m_window.placement() == 2) {
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                // The inside of the window is placed, not its frame: move() would place the
                // frame's corner there, and the window manager's title bar would push the inside
                // off the centre.
                QSize size = m_widget->sizeHint();
                m_widget->setGeometry(QRect(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2), size));
            }
        }
        if (m_window.isFloating()) {
            // Before its native window is made, which takes the attribute over (choice 26).
            m_widget->setAttribute(Qt::WA_ShowWithoutActivating);
        }
        stacking.windowShown(*m_widget);
    }
    if (m_window.isFloating()) {
        stacking.showWithoutKeyboard(*m_widget);
        return;
    }
    m_widget->show();
    stacking.keepFloatingWindowsAbove();
}

void WindowPrivate::show()
{
    if (!m_open)
        return;
    m_window.setVisible(true);
    // A minimised window comes back where it was, at its size, and takes the keyboard: the user
    // asked for it. A floating window that was in sight only comes to the front, so that the
    // keyboard stays in the window the user works in.
    const bool minimised = m_widget->isMinimized();
    if (minimised)
        m_widget->setWindowState(m_widget->windowState() & ~Qt::WindowMinimized);
    if (m_window.isFloating() && !minimised) {
        RaiseWithoutKeyboard(*m_widget);
        return;
    }
    m_widget->raise();
    m_widget->activateWindow();
}

void WindowPrivate::destroyWithoutEvents()
{
    if (m_open)
        forget(false);
}

void WindowPrivate::forget(bool announce)
{
    Ref<Window> keep(&m_window);
    m_open = false;
    if (m_widget) {
        m_widget->hide();
        if (Stacking* stacking = Stacking::find())
            stacking->windowClosed(*m_widget);
    }
    WindowSystem::instance().remove(m_window);
    if (announce) {
        if (Stacking* stacking = Stacking::find(); stacking && !m_window.isFloating())
            stacking->keepFloatingWindowsAbove();
        CurrentFrameworkObserver()->windowClosed(m_window);
        WindowSystem::instance().windowListChanged();
    }
}

void WindowPrivate::repaintControls()
{
    tellControls(&Control::windowRepainted);
}

void WindowPrivate::tellControls(void (Control::*what)(Badge<WindowPrivate>))
{
    // A paint handler may close the window: both stay until the last control has been told.
    Ref<Window> keep(&m_window);
    std::vector<Ref<Control>> controls = m_window.controls();
    for (const Ref<Control>& control : controls)
        (control.get()->*what)({});
}

void WindowPrivate::adopt(Control& control)
{
    control.attachToWindow({}, &m_window);
}

bool WindowPrivate::closeButton() const
{
    return m_window.closeButton();
}

void WindowPrivate::userClosed()
{
    m_window.Close();
}

void WindowPrivate::restoredFromMinimised()
{
    tellControls(&Control::windowRestored);
}

void WindowPrivate::firstExposed()
{
    // A window closed before it first came on the screen is not painted.
    if (m_open)
        repaintControls();
}

void WindowPrivate::cancelPressed()
{
    WindowSystem::instance().cancelPressed();
}

void WindowPrivate::returnPressed()
{
    Ref<Window> keep(&m_window);
    for (const Ref<Control>& control : std::vector<Ref<Control>>(m_window.controls())) {
        if (control->pressAsDefault({}))
            return;
    }
}

void WindowPrivate::mousePressed(std::int32_t x, std::int32_t y)
{
    Ref<Window> keep(&m_window);
    m_window.Event_MouseDown(x, y);
}

void WindowPrivate::menuItemChosen(const std::string& itemName)
{
    ChooseMenuItem(&m_window, itemName);
}

void WindowPrivate::menusAboutToShow()
{
    Ref<Window> keep(&m_window);
    m_window.Event_EnableMenuItems();
    if (Ref<Application> application = WindowSystem::instance().applicationObject())
        application->Event_EnableMenuItems();
}

Color WindowPrivate::backColor() const
{
    return m_window.effectiveBackColor();
}

void ChooseMenuItem(Window* window, const std::string& itemName)
{
    Ref<Window> keep(window);
    if (itemName == kQuitMenuItem) {
        EventLoop::instance().quit(0);
        return;
    }
    if (window && window->invokeMenuHandler(itemName))
        return;
    if (Ref<Application> application = WindowSystem::instance().applicationObject())
        application->invokeMenuHandler(itemName);
}

}
