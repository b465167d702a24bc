#pragma once

#include <fw/Color.h>
#include <fw/Control.h>

namespace fw {

// A straight line between two points of the window, BorderWidth pixels thick.
class Line : public RectControl {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    void setX1(std::int32_t value);
    void setY1(std::int32_t value);
    void setX2(std::int32_t value);
    void setY2(std::int32_t value);
    void setBorderWidth(std::int32_t width);
    void setLineColor(Color color);
    std::int32_t x1() const { return m_x1; }
    std::int32_t y1() const { return m_y1; }
    std::int32_t x2() const { return m_x2; }
    std::int32_t y2() const { return m_y2; }
    std::int32_t borderWidth() const { return m_borderWidth; }
    Color lineColor() const { return m_lineColor; }

    // The widget spans the line's box with room for its thickness.
    std::int32_t widgetLeft() const override;
    std::int32_t widgetTop() const override;
    std::int32_t widgetWidth() const override;
    std::int32_t widgetHeight() const override;

protected:
    void createWidget() override;

private:
    std::int32_t margin() const { return m_borderWidth + 1; }

    std::int32_t m_x1 { 0 };
    std::int32_t m_y1 { 0 };
    std::int32_t m_x2 { 0 };
    std::int32_t m_y2 { 0 };
    std::int32_t m_borderWidth { 1 };
    Color m_lineColor;
};

}
