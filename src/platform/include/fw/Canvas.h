#pragma once

#include <fw/Control.h>
#include <fw/Picture.h>

#include <functional>
#include <memory>

namespace fw {

class CanvasPicture;
class Graphics;

// A drawing surface that keeps what is drawn on it: its picture is the backdrop plus everything
// drawn since the last repaint. Drawing goes through its Graphics at any time, outside any paint.
class Canvas : public RectControl {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& classInfo() const override { return StaticClass(); }
    Canvas();
    ~Canvas() override;

    // Repaints at once with the new backdrop; a nil picture shows the window's background colour.
    void setBackdrop(const Ref<Picture>& picture);
    const Ref<Picture>& backdrop() const { return m_backdrop; }

    Ref<fw::Graphics> Graphics();

    // Repaints at once: the backdrop alone, then the Paint handler. One asked for while the
    // handler runs erases the canvas and has that paint start over, rather than run inside it.
    void Refresh(bool eraseBackground = true) override;
    // The Paint handler, which an instance event handler binds to its window's method.
    void setPaintHandler(std::function<void(fw::Graphics&)> handler) { m_paintHandler = std::move(handler); }

    // The pen colour belongs to the canvas, so it stays from one Graphics to the next.
    Color foreColor() const { return m_foreColor; }
    void setForeColor(Color color) { m_foreColor = color; }

    void drawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void fillOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
    void drawPicture(const Ref<Picture>& picture, std::int32_t x, std::int32_t y, std::int32_t destWidth, std::int32_t destHeight,
        std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight);
    void setPixel(std::int32_t x, std::int32_t y, Color color);
    Color pixel(std::int32_t x, std::int32_t y) const;

    // Writes the retained picture, pixel for pixel, as a PNG file.
    bool savePicture(const std::string& path) const;

protected:
    void createWidget() override;
    // A canvas has no input of its own; staying enabled on screen lets presses reach the window.
    void applyEnabled() override { }
    void applyGeometry() override;

private:
    void windowRepainted(Badge<WindowPrivate>) override { Refresh(true); }
    // Only a canvas whose picture is its Paint handler's paints again; the others keep theirs.
    void windowRestored(Badge<WindowPrivate>) override;

    // The picture while the canvas is on screen, else null.
    CanvasPicture* surface() const;
    // The picture becomes the backdrop alone, without the Paint handler.
    void paintBackdrop();

    // Drawn here, and shown by the widget.
    std::shared_ptr<CanvasPicture> m_picture;
    Ref<Picture> m_backdrop;
    Color m_foreColor;
    std::function<void(fw::Graphics&)> m_paintHandler;
};

}
