#include <fw/Canvas.h>

#include "gui/CanvasPicture.h"
#include "gui/CanvasWidget.h"
#include "gui/PaintRuns.h"
#include "gui/PicturePrivate.h"
#include "gui/RectControlPrivate.h"
#include <fw/Graphics.h>
#include <fw/Window.h>

namespace fw {

const ClassInfo& Canvas::StaticClass()
{
    static const ClassInfo info("Canvas", &RectControl::StaticClass(), FactoryOf<Canvas>(),
        {
            DeclareKeptProperty("UseFocusRing", PropertyType::Boolean),
            DeclareKeptProperty("AcceptFocus", PropertyType::Boolean),
            DeclareKeptProperty("AcceptTabs", PropertyType::Boolean),
            DeclareKeptProperty("DoubleBuffer", PropertyType::Boolean),
            DeclareKeptProperty("EraseBackground", PropertyType::Boolean),
        });
    return info;
}

Canvas::Canvas() = default;
Canvas::~Canvas() = default;

void Canvas::createWidget()
{
    m_picture = std::make_shared<CanvasPicture>();
    d().make<CanvasWidget>(m_picture);
}

void Canvas::applyGeometry()
{
    RectControl::applyGeometry();
    CanvasPicture* picture = surface();
    if (picture && picture->size() != QSize(width(), height())) {
        picture->resize(QSize(width(), height()));
        paintBackdrop();
    }
}

CanvasPicture* Canvas::surface() const
{
    // Drawn only while it is on screen: a canvas whose widget is gone keeps nothing.
    return d().widgetAs<CanvasWidget>() ? m_picture.get() : nullptr;
}

void Canvas::setBackdrop(const Ref<Picture>& picture)
{
    m_backdrop = picture;
    Refresh(true);
}

Ref<Graphics> Canvas::Graphics()
{
    return Ref<fw::Graphics>(new fw::Graphics(Ref<Canvas>(this)));
}

void Canvas::paintBackdrop()
{
    CanvasPicture* picture = surface();
    if (!picture)
        return;
    Color background = window() ? window()->effectiveBackColor() : Color { 255, 255, 255 };
    picture->paintBackdrop(background, m_backdrop ? &ImageOf(*m_backdrop) : nullptr);
}

void Canvas::Refresh(bool)
{
    if (!surface())
        return;
    paintBackdrop();
    if (!m_paintHandler)
        return;
    PaintRuns::instance().run(*this, [this] {
        Ref<fw::Graphics> context = Graphics();
        auto handler = m_paintHandler;
        handler(*context);
    });
}

void Canvas::windowRestored(Badge<WindowPrivate>)
{
    if (m_paintHandler)
        Refresh(true);
}

void Canvas::setPixel(std::int32_t x, std::int32_t y, Color color)
{
    if (CanvasPicture* picture = surface())
        picture->setPixel(x, y, color);
}

Color Canvas::pixel(std::int32_t x, std::int32_t y) const
{
    CanvasPicture* picture = surface();
    return picture ? picture->pixel(x, y) : Color {};
}

void Canvas::drawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    if (CanvasPicture* picture = surface())
        picture->drawLine(x1, y1, x2, y2, m_foreColor);
}

void Canvas::fillOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    if (CanvasPicture* picture = surface())
        picture->fillOval(x, y, width, height, m_foreColor);
}

void Canvas::drawPicture(const Ref<Picture>& picture, std::int32_t x, std::int32_t y, std::int32_t destWidth, std::int32_t destHeight,
    std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight)
{
    CanvasPicture* target = surface();
    if (target && picture)
        target->drawImage(ImageOf(*picture), x, y, destWidth, destHeight, sourceX, sourceY, sourceWidth, sourceHeight, fw::Graphics::kNaturalSize);
}

bool Canvas::savePicture(const std::string& path) const
{
    CanvasPicture* picture = surface();
    return picture && picture->savePng(path);
}

}
