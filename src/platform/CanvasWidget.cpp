#include "CanvasWidget.h"

#include "RuntimeState.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

namespace fw {

namespace {
constexpr int kFrameMilliseconds = 16;

qint64 NowMilliseconds()
{
    static QElapsedTimer timer = [] { QElapsedTimer t; t.start(); return t; }();
    return timer.elapsed();
}
}

CanvasWidget::CanvasWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CanvasWidget::~CanvasWidget()
{
    // A widget that outlives the runtime has nothing left to forget it.
    if (RuntimeState* state = RuntimeState::find())
        state->presenter.forget(this);
}

void CanvasWidget::changed(const QRect& area)
{
    QRect clipped = area.intersected(m_picture.rect());
    if (clipped.isEmpty())
        return;
    m_changedArea = m_changedArea.united(clipped);
    Presenter::instance().markChanged(this);
}

QRect CanvasWidget::takeChangedArea()
{
    return std::exchange(m_changedArea, QRect());
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_picture, event->rect());
}

void CanvasWidget::setPictureSize(const QSize& size)
{
    if (m_picture.size() == size)
        return;
    if (size.isEmpty()) {
        m_picture = QImage();
        return;
    }
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(Qt::black);
    if (!m_picture.isNull())
        QPainter(&resized).drawImage(0, 0, m_picture);
    m_picture = std::move(resized);
}

Presenter& Presenter::instance()
{
    return RuntimeState::instance().presenter;
}

Presenter::Presenter()
    : m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, [this] { present(false); });
}

void Presenter::markChanged(CanvasWidget* widget)
{
    if (!m_changed.contains(widget))
        m_changed.append(widget);
    if (!m_timer->isActive()) {
        qint64 wait = kFrameMilliseconds - (NowMilliseconds() - m_lastPresent);
        m_timer->start(int(std::clamp<qint64>(wait, 0, kFrameMilliseconds)));
    }
}

void Presenter::forget(CanvasWidget* widget)
{
    m_changed.removeAll(widget);
}

void Presenter::presentIfDue()
{
    if (!m_changed.isEmpty() && NowMilliseconds() - m_lastPresent >= kFrameMilliseconds)
        present(true);
}

void Presenter::presentNow()
{
    present(true);
}

void Presenter::present(bool immediately)
{
    m_lastPresent = NowMilliseconds();
    QList<CanvasWidget*> changed;
    changed.swap(m_changed);
    for (CanvasWidget* widget : changed) {
        QRect area = widget->takeChangedArea();
        if (immediately)
            widget->repaint(area);
        else
            widget->update(area);
    }
}

}
