#include "gui/CanvasWidget.h"

#include "gui/Presenter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>

namespace fw {

CanvasWidget::CanvasWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CanvasWidget::~CanvasWidget()
{
    // A widget that outlives the runtime has nothing left to forget it.
    if (Presenter* presenter = Presenter::find())
        presenter->forget(this);
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

}
