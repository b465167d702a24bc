#include "support/PixelSnapshot.h"

#include "support/PixelComparison.h"

#include <utility>

namespace testing_support {

PixelSnapshot::PixelSnapshot(fw::Ref<fw::Canvas> canvas)
    : m_canvas(std::move(canvas))
    , m_pixels(PixelsOf(*m_canvas))
{
}

std::vector<PixelSnapshot::Pixel> PixelSnapshot::changed() const
{
    std::vector<Pixel> result;
    for (const DifferingPixel& pixel : DifferingPixels(m_pixels, PixelsOf(*m_canvas)))
        result.push_back({ pixel.at.x(), pixel.at.y(), ColorOf(pixel.shown.value_or(0)) });
    return result;
}

}
