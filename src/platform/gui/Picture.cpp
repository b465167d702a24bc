#include <fw/Picture.h>

#include "gui/PicturePrivate.h"

namespace fw {

const ClassInfo& Picture::StaticClass()
{
    static const ClassInfo info("Picture", &Object::StaticClass(), nullptr);
    return info;
}

Picture::Picture(std::unique_ptr<PicturePrivate> d)
    : m_d(std::move(d))
{
}

Picture::~Picture() = default;

Ref<Picture> Picture::decode(const std::string& bytes)
{
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size())) || image.isNull())
        return nullptr;
    return Ref<Picture>(new Picture(std::make_unique<PicturePrivate>(image.convertToFormat(QImage::Format_ARGB32))));
}

std::int32_t Picture::Width() const
{
    return m_d->image().width();
}

std::int32_t Picture::Height() const
{
    return m_d->image().height();
}

void Picture::setTransparent(std::int32_t mode)
{
    m_transparent = mode;
}

const QImage& ImageOf(const Picture& picture)
{
    return picture.d().drawable(picture.Transparent());
}

const QImage& PicturePrivate::drawable(std::int32_t transparent) const
{
    if (transparent != 1)
        return m_image;
    if (!m_seeThrough) {
        m_seeThrough = m_image;
        for (int y = 0; y < m_seeThrough->height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_seeThrough->scanLine(y));
            for (int x = 0; x < m_seeThrough->width(); ++x) {
                if ((line[x] & 0x00FFFFFF) == 0x00FFFFFF)
                    line[x] = 0;
            }
        }
    }
    return *m_seeThrough;
}

}
