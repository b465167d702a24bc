#include <fw/Picture.h>

#include <QImage>

namespace fw {

const ClassInfo& Picture::StaticClass()
{
    static const ClassInfo info("Picture", &Object::StaticClass(), nullptr);
    return info;
}

Picture::Picture(std::unique_ptr<QImage> image)
    : m_image(std::move(image))
{
}

Picture::~Picture() = default;

Ref<Picture> Picture::decode(const std::string& bytes)
{
    auto image = std::make_unique<QImage>();
    if (!image->loadFromData(reinterpret_cast<const uchar*>(bytes.data()), int(bytes.size())) || image->isNull())
        return nullptr;
    *image = image->convertToFormat(QImage::Format_ARGB32);
    return Ref<Picture>(new Picture(std::move(image)));
}

std::int32_t Picture::Width() const { return m_image->width(); }
std::int32_t Picture::Height() const { return m_image->height(); }

void Picture::setTransparent(std::int32_t mode)
{
    if (mode != m_transparent)
        m_drawable.reset();
    m_transparent = mode;
}

const QImage& Picture::drawable() const
{
    if (m_transparent != 1)
        return *m_image;
    if (!m_drawable) {
        m_drawable = std::make_unique<QImage>(*m_image);
        for (int y = 0; y < m_drawable->height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_drawable->scanLine(y));
            for (int x = 0; x < m_drawable->width(); ++x) {
                if ((line[x] & 0x00FFFFFF) == 0x00FFFFFF)
                    line[x] = 0;
            }
        }
    }
    return *m_drawable;
}
}
