#include <fw/Canvas.h>

#include "gui/CanvasWidget.h"
#include "gui/PaintRuns.h"
#include "gui/QtObjects.h"
#include <fw/Graphics.h>
#include <fw/Window.h>

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fw {

namespace {

QRgb ToRgb(Color color) { return qRgb(color.red, color.green, color.blue); }

// floor(numerator / denominator + 1/2) in exact integer arithmetic.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    std::int64_t twice = 2 * numerator + denominator;
    std::int64_t divisor = 2 * denominator;
    std::int64_t quotient = twice / divisor;
    if (twice % divisor != 0 && twice < 0)
        --quotient;
    return quotient;
}

}

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

QWidget* Canvas::createWidget(QWidget* parent)
{
    return new CanvasWidget(parent);
}

void Canvas::applyGeometry()
{
    RectControl::applyGeometry();
    CanvasWidget* surface = canvasWidget();
    if (surface && surface->picture().size() != QSize(width(), height())) {
        surface->setPictureSize(QSize(width(), height()));
        paintBackdrop();
    }
}

CanvasWidget* Canvas::canvasWidget() const
{
    return widgetAs<CanvasWidget>();
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
    CanvasWidget* surface = canvasWidget();
    if (!surface || surface->picture().isNull())
        return;
    Color background = window() ? window()->effectiveBackColor() : Color { 255, 255, 255 };
    surface->picture().fill(ToRgb(background));
    if (m_backdrop) {
        QPainter painter(&surface->picture());
        painter.drawImage(0, 0, ImageOf(*m_backdrop));
    }
    surface->changed();
}

void Canvas::Refresh(bool)
{
    if (!canvasWidget())
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

void Canvas::windowRestored()
{
    if (m_paintHandler)
        Refresh(true);
}

void Canvas::setPixel(std::int32_t x, std::int32_t y, Color color)
{
    CanvasWidget* surface = canvasWidget();
    if (!surface)
        return;
    QImage& image = surface->picture();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = ToRgb(color);
    surface->changed(QRect(x, y, 1, 1));
}

Color Canvas::pixel(std::int32_t x, std::int32_t y) const
{
    CanvasWidget* surface = canvasWidget();
    if (!surface)
        return {};
    const QImage& image = surface->picture();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return {};
    QRgb rgb = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    return { std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qBlue(rgb)) };
}

void Canvas::drawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    CanvasWidget* surface = canvasWidget();
    if (!surface)
        return;
    QImage& image = surface->picture();
    const QRgb pen = ToRgb(m_foreColor);
    const std::int64_t dx = std::int64_t(x2) - x1;
    const std::int64_t dy = std::int64_t(y2) - y1;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t majorStart = alongX ? x1 : y1;
    const std::int64_t majorDelta = alongX ? dx : dy;
    const std::int64_t minorStart = alongX ? y1 : x1;
    const std::int64_t minorDelta = alongX ? dy : dx;
    const std::int64_t majorLimit = alongX ? image.width() : image.height();
    const std::int64_t minorLimit = alongX ? image.height() : image.width();

    // Only the stretch of the major axis that lies on the picture is walked.
    std::int64_t from = std::max<std::int64_t>(std::min(majorStart, majorStart + majorDelta), 0);
    std::int64_t to = std::min<std::int64_t>(std::max(majorStart, majorStart + majorDelta), majorLimit - 1);
    QRect touched;
    for (std::int64_t major = from; major <= to; ++major) {
        std::int64_t minor = majorDelta == 0 ? minorStart : minorStart + RoundedQuotient((major - majorStart) * minorDelta, majorDelta);
        if (minor < 0 || minor >= minorLimit)
            continue;
        int px = int(alongX ? major : minor);
        int py = int(alongX ? minor : major);
        reinterpret_cast<QRgb*>(image.scanLine(py))[px] = pen;
        touched |= QRect(px, py, 1, 1);
    }
    surface->changed(touched);
}

void Canvas::fillOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    CanvasWidget* surface = canvasWidget();
    if (!surface || width <= 0 || height <= 0)
        return;
    QImage& image = surface->picture();
    const QRgb pen = ToRgb(m_foreColor);
    const double radiusX = width / 2.0;
    const double radiusY = height / 2.0;
    const std::int64_t rowFrom = std::max<std::int64_t>(y, 0);
    const std::int64_t rowTo = std::min<std::int64_t>(std::int64_t(y) + height, image.height());
    const std::int64_t columnFrom = std::max<std::int64_t>(x, 0);
    const std::int64_t columnTo = std::min<std::int64_t>(std::int64_t(x) + width, image.width());
    for (std::int64_t row = rowFrom; row < rowTo; ++row) {
        const double offsetY = (double(row - y) + 0.5 - radiusY) / radiusY;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(int(row)));
        for (std::int64_t column = columnFrom; column < columnTo; ++column) {
            const double offsetX = (double(column - x) + 0.5 - radiusX) / radiusX;
            if (offsetX * offsetX + offsetY * offsetY <= 1.0)
                line[column] = pen;
        }
    }
    surface->changed(QRect(QPoint(int(columnFrom), int(rowFrom)), QPoint(int(columnTo) - 1, int(rowTo) - 1)));
}

void Canvas::drawPicture(const Ref<Picture>& picture, std::int32_t x, std::int32_t y, std::int32_t destWidth, std::int32_t destHeight,
    std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight)
{
    CanvasWidget* surface = canvasWidget();
    if (!surface || !picture || surface->picture().isNull())
        return;
    const QImage& source = ImageOf(*picture);
    constexpr std::int32_t natural = fw::Graphics::kNaturalSize;
    QRect sourceRect(sourceX, sourceY, sourceWidth == natural ? source.width() - sourceX : sourceWidth,
        sourceHeight == natural ? source.height() - sourceY : sourceHeight);
    QRect targetRect(x, y, destWidth == natural ? sourceRect.width() : destWidth, destHeight == natural ? sourceRect.height() : destHeight);
    if (sourceRect.isEmpty() || targetRect.isEmpty())
        return;
    QPainter painter(&surface->picture());
    painter.drawImage(targetRect, source, sourceRect);
    surface->changed(targetRect);
}

bool Canvas::savePicture(const std::string& path) const
{
    CanvasWidget* surface = canvasWidget();
    return surface && surface->picture().save(QString::fromStdString(path), "PNG");
}

const ClassInfo& Graphics::StaticClass()
{
    static const ClassInfo info("Graphics", &Object::StaticClass(), nullptr);
    return info;
}

Graphics::Graphics(const Ref<Canvas>& canvas)
    : m_canvas(canvas)
{
}

}
