#include "gui/CanvasWidget.h"

#include "gui/CanvasPicture.h"
#include "gui/Presenter.h"

#include <QPaintEvent>
#include <QPainter>

namespace fw {

CanvasWidget::CanvasWidget(std::shared_ptr<CanvasPicture> picture, QWidget* parent)
    : QWidget(parent)
    , m_picture(std::move(picture))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_picture->setChangeListener([this] { Presenter::instance().markChanged(this); });
}

CanvasWidget::~CanvasWidget()
{
    m_picture->setChangeListener(nullptr);
    // A widget that outlives the runtime has nothing left to forget it.
    if (Presenter* presenter = Presenter::find())
        presenter->forget(this);
}

const QImage& CanvasWidget::picture() const
{
    return m_picture->image();
}

QRect CanvasWidget::takeChangedArea()
{
    return m_picture->takeChangedArea();
}

void CanvasWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_picture->image(), event->rect());
}

}
