#include "gui/WindowWidget.h"

#include "loop/HandlerCall.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

namespace fw {

WindowWidget::WindowWidget(WindowWidgetEvents& events)
    : QWidget(nullptr)
    , m_events(&events)
    , m_content(new WindowContent(*this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_content);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

template<typename What>
void WindowWidget::tell(What what)
{
    if (m_events)
        CallHandler([&] { what(*m_events); });
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

void WindowWidget::chooseMenuItem(const std::string& itemName)
{
    tell([&](WindowWidgetEvents& events) { events.menuItemChosen(itemName); });
}

void WindowWidget::prepareMenus()
{
    tell([](WindowWidgetEvents& events) { events.menusAboutToShow(); });
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    if (!m_events) {
        event->accept();
        return;
    }
    if (!m_events->closeButton()) {
        event->ignore();
        return;
    }
    event->accept();
    tell([](WindowWidgetEvents& events) { events.userClosed(); });
}

void WindowWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if ((change->oldState() & Qt::WindowMinimized) && !(windowState() & Qt::WindowMinimized))
        tell([](WindowWidgetEvents& events) { events.restoredFromMinimised(); });
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
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed() && !m_exposed && m_events) {
        // The first showing repaints the canvases once the window is on the screen, so that a
        // Paint handler that takes its time is seen as it draws.
        m_exposed = true;
        QMetaObject::invokeMethod(
            this, [this] { tell([](WindowWidgetEvents& events) { events.firstExposed(); }); }, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void WindowWidget::keyPressEvent(QKeyEvent* event)
{
    bool cancel = event->key() == Qt::Key_Escape || (event->key() == Qt::Key_Period && (event->modifiers() & Qt::ControlModifier));
    if (cancel) {
        if (m_events)
            m_events->cancelPressed();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_events) {
        m_events->returnPressed();
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
    QPoint position = event->position().toPoint();
    m_owner.tell([&](WindowWidgetEvents& events) { events.mousePressed(position.x(), position.y()); });
}

void WindowContent::paintEvent(QPaintEvent*)
{
    if (!m_owner.m_events)
        return;
    Color color = m_owner.m_events->backColor();
    QPainter(this).fillRect(rect(), QColor(color.red, color.green, color.blue));
}

}
