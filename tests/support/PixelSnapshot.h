#pragma once

#include <fw/Canvas.h>
#include <fw/Color.h>
#include <fw/Ref.h>

#include <QImage>

#include <cstdint>
#include <vector>

namespace testing_support {

// The pixels of a canvas at one moment, to find what was drawn after it.
class PixelSnapshot {
public:
    struct Pixel {
        std::int32_t x;
        std::int32_t y;
        fw::Color color;
    };

    explicit PixelSnapshot(fw::Ref<fw::Canvas> canvas);

    // The pixels that differ now, row by row, each with its colour now.
    std::vector<Pixel> changed() const;

private:
    fw::Ref<fw::Canvas> m_canvas;
    QImage m_pixels;
};

}
