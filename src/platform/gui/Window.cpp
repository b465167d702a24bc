#include <fw/Window.h>

#include "core/FrameworkObserver.h"
#include "gui/ApplicationMenus.h"
#include "gui/QtObjects.h"
#include "gui/Stacking.h"
#include "gui/WindowSystem.h"
#include "gui/WindowWidget.h"
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

Window::Window() = default;

Window::~Window()
{
    for (const Ref<Control>& control : m_controls)
        control->detachFromWindow();
    if (m_widget) {
        m_widget->detach();
        m_widget->hide();
        m_widget->deleteLater();
    }
}

void Window::Constructor()
{
    Ref<Window> self(this);
    WindowSystem& windows = WindowSystem::instance();
    windows.setImplicitInstance(classInfo().name(), self);

    m_widget = new WindowWidget(*this);
    m_widget->setContentSize(m_width, m_height, !m_resizeable);
    Layout();
    CreateControls();
    AddMenuHandlers();
    if (hasMenuHandlers())
        AttachApplicationMenus(*this);
    else
        AttachQuitKey(*this);

    m_open = true;
    windows.addOpenWindow(self);
    if (m_visible)
        ensureShown();
    CurrentFrameworkObserver()->windowOpened(*this);
    Event_Open();
}

void Window::ensureShown()
{
    if (!m_widget)
        return;
    if (!m_shownOnce) {
        m_shownOnce = true;
        m_widget->setWindowFlags(FlagsFor(*this));
        m_widget->setWindowTitle(QString::fromStdString(m_title));
        m_widget->setContentSize(m_width, m_height, !m_resizeable);
        if (m_placement == 2) {
            if (QScreen* screen = QGuiApplication::primaryScreen()) {
                // The inside of the window is placed, not its frame: move() would place the
                // frame's corner there, and the window manager's title bar would push the inside
                // off the centre.
                QSize size = m_widget->sizeHint();
                m_widget->setGeometry(QRect(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2), size));
            }
        }
        if (isFloating()) {
            // Before its native window is made, which takes the attribute over (choice 26).
            m_widget->setAttribute(Qt::WA_ShowWithoutActivating);
            KeepAbove(*m_widget, StackingAnchor());
        }
    }
    if (isFloating()) {
        QWidget* keyboardWindow = QApplication::activeWindow();
        if (!keyboardWindow || keyboardWindow == m_widget)
            keyboardWindow = StackingAnchor();
        ShowWithoutKeyboard(*m_widget, keyboardWindow);
        return;
    }
    m_widget->show();
    KeepFloatingWindowsAbove();
}

void Window::firstExposed()
{
    // A window closed before it first came on the screen is not painted.
    if (!m_open)
        return;
    repaintControls();
}

void Window::Show()
{
    if (!m_open)
        return;
    m_visible = true;
    ensureShown();
    // A minimised window comes back where it was, at its size, and takes the keyboard: the user
    // asked for it. A floating window that was in sight only comes to the front, so that the
    // keyboard stays in the window the user works in.
    const bool minimised = m_widget->isMinimized();
    if (minimised)
        m_widget->setWindowState(m_widget->windowState() & ~Qt::WindowMinimized);
    if (isFloating() && !minimised) {
        RaiseWithoutKeyboard(*m_widget);
        return;
    }
    m_widget->raise();
    m_widget->activateWindow();
}

void Window::Close()
{
    if (!m_open)
        return;
    Ref<Window> keep(this);
    Event_Close();
    forget(true);
}

void Window::userClosed()
{
    Close();
}

void Window::destroyWithoutEvents()
{
    if (m_open)
        forget(false);
}

void Window::forget(bool announce)
{
    Ref<Window> keep(this);
    m_open = false;
    if (m_widget)
        m_widget->hide();
    WindowSystem::instance().remove(*this);
    if (announce) {
        if (!isFloating())
            KeepFloatingWindowsAbove();
        CurrentFrameworkObserver()->windowClosed(*this);
        WindowSystem::instance().windowListChanged();
    }
}

void Window::Refresh(bool)
{
    if (m_widget)
        m_widget->update();
    repaintControls();
}

void Window::repaintControls()
{
    tellControls(&Control::windowRepainted);
}

void Window::restoredFromMinimised()
{
    tellControls(&Control::windowRestored);
}

void Window::tellControls(void (Control::*what)())
{
    // A paint handler may close the window: both stay until the last control has been told.
    Ref<Window> keep(this);
    std::vector<Ref<Control>> controls = m_controls;
    for (const Ref<Control>& control : controls)
        (control.get()->*what)();
}

void Window::mousePressed(std::int32_t x, std::int32_t y)
{
    Event_MouseDown(x, y);
}

bool Window::Event_MouseDown(std::int32_t, std::int32_t)
{
    return false;
}

void Window::pressDefaultButton()
{
    for (const Ref<Control>& control : std::vector<Ref<Control>>(m_controls)) {
        if (control->pressAsDefault())
            return;
    }
}

Ref<Control> Window::New(const ClassInfo& controlClass)
{
    Ref<Control> control = RuntimeCheckCast<Control>(RuntimeNewObject(controlClass));
    if (!control)
        throw RuntimeException(controlClass.name() + " is not a control class");
    control->attachToWindow(this);
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
    control->attachToWindow(this);
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
    if (m_widget)
        m_widget->setContentSize(m_width, m_height, !m_resizeable);
}

void Window::setHeight(std::int32_t height)
{
    m_height = std::max(height, 0);
    if (m_widget)
        m_widget->setContentSize(m_width, m_height, !m_resizeable);
}

void Window::setHasBackColor(bool value)
{
    m_hasBackColor = value;
    if (m_widget)
        m_widget->content()->update();
}

void Window::setBackColor(Color color)
{
    m_backColor = color;
    if (m_widget)
        m_widget->content()->update();
}

void Window::setTitle(const std::string& title)
{
    m_title = title;
    if (m_widget)
        m_widget->setWindowTitle(QString::fromStdString(title));
}

void Window::setVisible(bool visible)
{
    m_visible = visible;
    if (!m_open || !m_widget)
        return;
    if (visible)
        ensureShown();
    else
        m_widget->hide();
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
}
