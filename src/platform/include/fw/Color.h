#pragma once

#include <cstdint>

namespace fw {

// A 24-bit RGB colour; zero is black.
struct Color {
    std::uint8_t red { 0 };
    std::uint8_t green { 0 };
    std::uint8_t blue { 0 };

    constexpr bool operator==(const Color&) const = default;
    constexpr std::uint32_t rgb() const { return (std::uint32_t(red) << 16) | (std::uint32_t(green) << 8) | blue; }
    static constexpr Color fromRgb(std::uint32_t rgb)
    {
        return { std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb) };
    }
};

}
