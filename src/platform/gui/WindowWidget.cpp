#include "gui/WindowWidget.h"

#include "gui/WindowSystem.h"
#include "loop/HandlerCall.h"
#include <fw/Window.h>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

namespace fw {

WindowWidget::WindowWidget(Window& window)
    : QWidget(nullptr)
    , m_window(&window)
    , m_content(new WindowContent(*this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_content);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void WindowWidget::setContentSize(int width, int height, bool fixed)
{
    m_content->setFixedSize(width, height);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->setSizeConstraint(fixed ? QLayout::SetFixedSize : QLayout::SetDefaultConstraint);
    if (!fixed) {
        m_content->setMinimumSize(0, 0);
        m_content->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        m_content->resize(width, height);
    }
    adjustSize();
}

void WindowWidget::addMenuBar(QMenuBar* menuBar)
{
    static_cast<QVBoxLayout*>(layout())->setMenuBar(menuBar);
    adjustSize();
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    if (!m_window) {
        event->accept();
        return;
    }
    if (!m_window->closeButton()) {
        event->ignore();
        return;
    }
    event->accept();
    Ref<Window> keep(m_window);
    CallHandler([&] { keep->userClosed(); });
}

void WindowWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !m_window)
        return;
    auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized)) {
        Ref<Window> keep(m_window);
        CallHandler([&] { keep->restoredFromMinimised(); });
    }
}

void WindowWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window starts with the focus on itself, not on its first control: Return presses the
    // default button, and Tab goes to the first control.
    if (!focusWidget())
        setFocus(Qt::OtherFocusReason);
    if (QWindow* handle = windowHandle(); handle && !m_watchingExposure) {
        m_watchingExposure = true;
        handle->installEventFilter(this);
    }
}

bool WindowWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed() && !m_exposed && m_window) {
        // The first showing repaints the canvases once the window is on the screen, so that a
        // Paint handler that takes its time is seen as it draws.
        m_exposed = true;
        Ref<Window> exposed(m_window);
        QMetaObject::invokeMethod(
            this, [exposed] { CallHandler([&] { exposed->firstExposed(); }); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void WindowWidget::keyPressEvent(QKeyEvent* event)
{
    bool cancel = event->key() == Qt::Key_Escape || (event->key() == Qt::Key_Period && (event->modifiers() & Qt::ControlModifier));
    if (cancel) {
        WindowSystem::instance().cancelPressed();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_window) {
        Ref<Window> keep(m_window);
        keep->pressDefaultButton();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

WindowContent::WindowContent(WindowWidget& owner)
    : QWidget(&owner)
    , m_owner(owner)
{
}

void WindowContent::mousePressEvent(QMouseEvent* event)
{
    Window* window = m_owner.window();
    if (!window)
        return;
    Ref<Window> keep(window);
    QPoint position = event->position().toPoint();
    CallHandler([&] { keep->mousePressed(position.x(), position.y()); });
}

void WindowContent::paintEvent(QPaintEvent*)
{
    Window* window = m_owner.window();
    if (!window)
        return;
    Color color = window->effectiveBackColor();
    QPainter(this).fillRect(rect(), QColor(color.red, color.green, color.blue));
}

}
