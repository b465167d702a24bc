#include "support/PixelComparison.h"

namespace testing_support {

QImage PixelsOf(const fw::Canvas& canvas) { return PixelsOf(canvas, QRect(0, 0, canvas.width(), canvas.height())); }

QImage PixelsOf(const fw::Canvas& canvas, QRect area)
{
    QImage pixels(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            pixels.setPixel(x, y, canvas.pixel(area.left() + x, area.top() + y).rgb());
    return pixels;
}

std::vector<DifferingPixel> DifferingPixels(const QImage& wanted, const QImage& shown, QPoint offset, const ComparedPixel& compared)
{
    std::vector<DifferingPixel> differing;
    for (int y = 0; y < wanted.height(); ++y) {
        for (int x = 0; x < wanted.width(); ++x) {
            const QPoint at(x, y);
            const QRgb want = wanted.pixel(at);
            if (compared && !compared(at, want))
                continue;
            const QPoint there = offset + at;
            if (!shown.valid(there))
                differing.push_back({ at, want, std::nullopt });
            else if (const QRgb got = shown.pixel(there); (got & 0xFFFFFF) != (want & 0xFFFFFF))
                differing.push_back({ at, want, got });
        }
    }
    return differing;
}

fw::Color ColorOf(QRgb rgb) { return fw::Color::fromRgb(rgb & 0xFFFFFF); }

}
