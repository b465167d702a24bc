#pragma once

#include <fw/Canvas.h>

namespace fw {

// A canvas's drawing context. Every Graphics of one canvas shares that canvas's pen colour.
class Graphics : public Object {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }

    explicit Graphics(const Ref<Canvas>& canvas);

    Color ForeColor() const { return m_canvas->foreColor(); }
    void setForeColor(Color color) { m_canvas->setForeColor(color); }

    // Both end points included, one pixel wide, in the pen colour.
    void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) { m_canvas->drawLine(x1, y1, x2, y2); }
    // Every pixel whose centre lies in the ellipse inscribed in the box; no anti-aliasing.
    void FillOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) { m_canvas->fillOval(x, y, width, height); }
    // -10000 for a size means the picture's own; nil draws nothing.
    static constexpr std::int32_t kNaturalSize = -10000;
    void DrawPicture(const Ref<Picture>& picture, std::int32_t x, std::int32_t y, std::int32_t destWidth = kNaturalSize,
        std::int32_t destHeight = kNaturalSize, std::int32_t sourceX = 0, std::int32_t sourceY = 0,
        std::int32_t sourceWidth = kNaturalSize, std::int32_t sourceHeight = kNaturalSize)
    {
        m_canvas->drawPicture(picture, x, y, destWidth, destHeight, sourceX, sourceY, sourceWidth, sourceHeight);
    }
    void Pixel(std::int32_t x, std::int32_t y, Color color) { m_canvas->setPixel(x, y, color); }
    Color Pixel(std::int32_t x, std::int32_t y) const { return m_canvas->pixel(x, y); }

private:
    Ref<Canvas> m_canvas;
};

}
