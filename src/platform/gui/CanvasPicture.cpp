#include "gui/CanvasPicture.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <utility>

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

void CanvasPicture::resize(const QSize& size)
{
    if (m_image.size() == size)
        return;
    if (size.isEmpty()) {
        m_image = QImage();
        return;
    }
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(Qt::black);
    if (!m_image.isNull())
        QPainter(&resized).drawImage(0, 0, m_image);
    m_image = std::move(resized);
}

void CanvasPicture::paintBackdrop(Color background, const QImage* backdrop)
{
    if (m_image.isNull())
        return;
    m_image.fill(ToRgb(background));
    if (backdrop) {
        QPainter painter(&m_image);
        painter.drawImage(0, 0, *backdrop);
    }
    changed(m_image.rect());
}

void CanvasPicture::setPixel(std::int32_t x, std::int32_t y, Color color)
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return;
    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = ToRgb(color);
    changed(QRect(x, y, 1, 1));
}

Color CanvasPicture::pixel(std::int32_t x, std::int32_t y) const
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return {};
    QRgb rgb = reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
    return { std::uint8_t(qRed(rgb)), std::uint8_t(qGreen(rgb)), std::uint8_t(qBlue(rgb)) };
}

void CanvasPicture::drawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Color color)
{
    QImage& image = m_image;
    const QRgb pen = ToRgb(color);
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
    changed(touched);
}

void CanvasPicture::fillOval(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height, Color color)
{
    if (width <= 0 || height <= 0)
        return;
    QImage& image = m_image;
    const QRgb pen = ToRgb(color);
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
    changed(QRect(QPoint(int(columnFrom), int(rowFrom)), QPoint(int(columnTo) - 1, int(rowTo) - 1)));
}

void CanvasPicture::drawImage(const QImage& source, std::int32_t x, std::int32_t y, std::int32_t destWidth, std::int32_t destHeight,
    std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t naturalSize)
{
    if (m_image.isNull())
        return;
    QRect sourceRect(sourceX, sourceY, sourceWidth == naturalSize ? source.width() - sourceX : sourceWidth,
        sourceHeight == naturalSize ? source.height() - sourceY : sourceHeight);
    QRect targetRect(x, y, destWidth == naturalSize ? sourceRect.width() : destWidth, destHeight == naturalSize ? sourceRect.height() : destHeight);
    if (sourceRect.isEmpty() || targetRect.isEmpty())
        return;
    QPainter painter(&m_image);
    painter.drawImage(targetRect, source, sourceRect);
    changed(targetRect);
}

bool CanvasPicture::savePng(const std::string& path) const
{
    return m_image.save(QString::fromStdString(path), "PNG");
}

QRect CanvasPicture::takeChangedArea()
{
    return std::exchange(m_changedArea, QRect());
}

void CanvasPicture::changed(const QRect& area)
{
    QRect clipped = area.intersected(m_image.rect());
    if (clipped.isEmpty())
        return;
    m_changedArea = m_changedArea.united(clipped);
    if (m_changeListener)
        m_changeListener();
}

}
