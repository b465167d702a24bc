#include <fw/Line.h>

#include "gui/RectControlPrivate.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace fw {

namespace {

// Paints its line; presses go through it to what lies below.
class LineWidget : public QWidget {
public:
    LineWidget(const Line& line, QWidget* parent)
        : QWidget(parent)
        , m_line(line)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        Color color = m_line.lineColor();
        QPen pen(QColor(color.red, color.green, color.blue), std::max(1, m_line.borderWidth()));
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        QPoint origin(m_line.widgetLeft(), m_line.widgetTop());
        painter.drawLine(QPoint(m_line.x1(), m_line.y1()) - origin, QPoint(m_line.x2(), m_line.y2()) - origin);
    }

private:
    const Line& m_line;
};

}

const ClassInfo& Line::StaticClass()
{
    static const ClassInfo info("Line", &RectControl::StaticClass(), FactoryOf<Line>(),
        {
            DeclareProperty("X1", &Line::setX1),
            DeclareProperty("X2", &Line::setX2),
            DeclareProperty("Y1", &Line::setY1),
            DeclareProperty("Y2", &Line::setY2),
            DeclareProperty("BorderWidth", &Line::setBorderWidth),
            DeclareProperty("LineColor", &Line::setLineColor),
        });
    return info;
}

void Line::createWidget()
{
    d().make<LineWidget>(*this);
}

std::int32_t Line::widgetLeft() const { return std::min(m_x1, m_x2) - margin(); }
std::int32_t Line::widgetTop() const { return std::min(m_y1, m_y2) - margin(); }

std::int32_t Line::widgetWidth() const { return std::abs(m_x2 - m_x1) + 2 * margin(); }
std::int32_t Line::widgetHeight() const { return std::abs(m_y2 - m_y1) + 2 * margin(); }

void Line::setX1(std::int32_t value)
{
    m_x1 = value;
    applyGeometry();
}

void Line::setY1(std::int32_t value)
{
    m_y1 = value;
    applyGeometry();
}

void Line::setX2(std::int32_t value)
{
    m_x2 = value;
    applyGeometry();
}

void Line::setY2(std::int32_t value)
{
    m_y2 = value;
    applyGeometry();
}

void Line::setBorderWidth(std::int32_t width)
{
    m_borderWidth = std::max(width, 0);
    applyGeometry();
}

void Line::setLineColor(Color color)
{
    m_lineColor = color;
    if (QWidget* widget = WidgetOf(*this))
        widget->update();
}

}
