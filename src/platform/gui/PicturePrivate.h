#pragma once

#include <QImage>

#include <cstdint>
#include <optional>

namespace fw {

class Picture;

// A picture's pixels, as decoded and as drawn.
class PicturePrivate {
public:
    explicit PicturePrivate(QImage image)
        : m_image(std::move(image))
    {
    }

    const QImage& image() const { return m_image; }
    // The pixels as they are drawn: with Transparent = 1, white ones with zero alpha.
    const QImage& drawable(std::int32_t transparent) const;

private:
    QImage m_image;
    mutable std::optional<QImage> m_seeThrough;
};

// The picture's pixels as they are drawn.
const QImage& ImageOf(const Picture& picture);

}
