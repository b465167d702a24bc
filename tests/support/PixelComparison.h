#pragma once

// Pictures compared pixel by pixel, by colour alone: what one picture shows that another does not.

#include <fw/Canvas.h>
#include <fw/Color.h>

#include <QImage>
#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>
#include <vector>

namespace testing_support {

struct DifferingPixel {
    // Where the pixel lies in the wanted picture.
    QPoint at;
    QRgb wanted;
    // Nothing where the shown picture has no pixel there.
    std::optional<QRgb> shown;
};

// Whether a pixel of the wanted picture is compared at all.
using ComparedPixel = std::function<bool(QPoint at, QRgb wanted)>;

// The pixels of a canvas as it reports them now, or those of an area of it.
QImage PixelsOf(const fw::Canvas& canvas);
QImage PixelsOf(const fw::Canvas& canvas, QRect area);

// The pixels of `wanted` that `shown` does not show in the same colour `offset` further on, row by
// row; one that falls outside `shown` differs. `compared`, when given, picks those that count.
std::vector<DifferingPixel> DifferingPixels(const QImage& wanted, const QImage& shown, QPoint offset = {}, const ComparedPixel& compared = {});

fw::Color ColorOf(QRgb rgb);

}
