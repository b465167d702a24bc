#pragma once

#include <fw/Color.h>

#include <QImage>
#include <QRect>

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

// A canvas's retained picture and all that draws on it: its backdrop and everything drawn since
// the last repaint, pixel for pixel, without anti-aliasing, and the part of it that changed
// since it was last shown.
class CanvasPicture {
public:
    const QImage& image() const { return m_image; }
    bool isNull() const { return m_image.isNull(); }
    QSize size() const { return m_image.size(); }
    // Keeps what fits of the old picture; new area is black until the next backdrop.
    void resize(const QSize& size);
    // The picture becomes the background colour with the backdrop, if any, over it.
    void paintBackdrop(Color background, const QImage* backdrop);

    void setPixel(std::int32_t x, std::int32_t y, Color color);
    Color pixel(std::int32_t x, std::int32_t y) const;
    // One pixel per step of the longer axis, both ends included, each at the nearest pixel of
    // the exact line.
    void drawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Color pen);
    // Every pixel whose centre lies in the ellipse inscribed in the box.
    void fillOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, Color pen);
    // The source rectangle of the image into the target one; a size of naturalSize is the
    // source's own.
    void drawImage(const QImage& source, std::int32_t x, std::int32_t y, std::int32_t destWidth, std::int32_t destHeight,
        std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t naturalSize);
    bool savePng(const std::string& path) const;

    // Told at every change, by whoever shows the picture.
    void setChangeListener(std::function<void()> listener) { m_changeListener = std::move(listener); }
    QRect takeChangedArea();

private:
    void changed(const QRect& area);

    QImage m_image;
    QRect m_changedArea;
    std::function<void()> m_changeListener;
};

}
